#include "VirtualTimer.h"

VirtualTimer::VirtualTimer(VirtualClock& clock, std::function<void()> onTick)
    : clock_(clock), slot_(clock.attach(this)) {
    setOnTick(std::move(onTick));
}

VirtualTimer::~VirtualTimer() {
    clock_.detach(this);
}

void VirtualTimer::setOnTick(std::function<void()> onTick) {
    onTick_ = std::move(onTick);
    handler_ = onTick_ ? &callFunction : &doNothing;
    context_ = this;
}

void VirtualTimer::setOnTick(Handler handler, void* context) {
    onTick_ = nullptr;
    handler_ = handler != nullptr ? handler : &doNothing;
    context_ = context;
}

void VirtualTimer::callFunction(void* timer) {
    static_cast<VirtualTimer*>(timer)->onTick_();
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
    slot_->due = VirtualClock::never;
}

void VirtualTimer::setInterval(int ms) {
    if (ms == interval_) {
        return;
    }
    interval_ = ms;
    if (active_) {
        restartCount();
    } else {
        updateOrder();
    }
}

void VirtualTimer::setSkipped(bool skipped) {
    skipped_ = skipped;
    updateOrder();
}
