#include "VirtualTimer.h"

VirtualTimer::VirtualTimer(VirtualClock& clock, std::function<void()> onTick)
    : clock_(clock), onTick_(std::move(onTick)) {
    clock_.attach(this);
}

VirtualTimer::~VirtualTimer() {
    clock_.detach(this);
}

void VirtualTimer::start() {
    if (active_) {
        return;
    }
    active_ = true;
    restartCount();
}

void VirtualTimer::stop() {
    active_ = false;
}

void VirtualTimer::setInterval(int ms) {
    if (ms == interval_) {
        return;
    }
    interval_ = ms;
    if (active_) {
        restartCount();
    }
}

void VirtualTimer::restartCount() {
    due_ = clock_.now() + interval_;
    sequence_ = clock_.nextSequence();
}

void VirtualTimer::fire() {
    ++ticks_;
    // A repeating timer counts its next period from now, unless the handler restarts it.
    restartCount();
    if (onTick_) {
        onTick_();
    }
}
