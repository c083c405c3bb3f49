#include "VirtualClock.h"

#include "VirtualTimer.h"

#include <algorithm>

void VirtualClock::advance(Ms ms) {
    if (ms > 0) {
        now_ += ms;
    }
}

VirtualTimer* VirtualClock::nextDue() const {
    VirtualTimer* best = nullptr;
    for (VirtualTimer* t : timers_) {
        if (!t->canFire()) {
            continue;
        }
        if (best == nullptr || t->due() < best->due() ||
            (t->due() == best->due() && t->sequence() < best->sequence())) {
            best = t;
        }
    }
    return best;
}

bool VirtualClock::runNext() {
    VirtualTimer* timer = nextDue();
    if (timer == nullptr) {
        return false;
    }
    now_ = std::max(now_, timer->due());
    timer->fire();
    return true;
}

void VirtualClock::runFor(Ms ms) {
    const Ms end = now_ + std::max<Ms>(ms, 0);
    for (VirtualTimer* timer = nextDue(); timer != nullptr && timer->due() <= end;
         timer = nextDue()) {
        now_ = std::max(now_, timer->due());
        timer->fire();
    }
    now_ = std::max(now_, end);
}

void VirtualClock::attach(VirtualTimer* timer) {
    timers_.push_back(timer);
}

void VirtualClock::detach(VirtualTimer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}
