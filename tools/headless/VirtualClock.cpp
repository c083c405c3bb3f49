#include "VirtualClock.h"

#include "VirtualTimer.h"

#include <algorithm>

VirtualTimer* VirtualClock::nextDue() const {
    // Without branches on the timers' states: which timer comes next changes from one
    // event to the next, and a wrong guess costs more than the comparisons.
    VirtualTimer* best = nullptr;
    std::uint64_t bestDue = never;
    std::uint64_t bestSequence = 0;
    for (VirtualTimer* t : timers_) {
        const std::uint64_t due = t->orderDue_;
        const bool earlier =
            (due < bestDue) | ((due == bestDue) & (due != never) & (t->sequence_ < bestSequence));
        best = earlier ? t : best;
        bestDue = earlier ? due : bestDue;
        bestSequence = earlier ? t->sequence_ : bestSequence;
    }
    return best;
}

void VirtualClock::fire(VirtualTimer* timer) {
    now_ = std::max(now_, timer->due_);
    timer->fire();
}

bool VirtualClock::runNext() {
    VirtualTimer* timer = nextDue();
    if (timer == nullptr) {
        return false;
    }
    fire(timer);
    return true;
}

bool VirtualClock::runWhile(const bool& running, long maxEvents) {
    for (long events = 0; running; ++events) {
        VirtualTimer* timer = nextDue();
        if (events >= maxEvents || timer == nullptr) {
            return false;
        }
        fire(timer);
    }
    return true;
}

void VirtualClock::runFor(Ms ms) {
    const Ms end = now_ + std::max<Ms>(ms, 0);
    for (VirtualTimer* timer = nextDue(); timer != nullptr && timer->due() <= end;
         timer = nextDue()) {
        fire(timer);
    }
    now_ = std::max(now_, end);
}

void VirtualClock::attach(VirtualTimer* timer) {
    timers_.push_back(timer);
}

void VirtualClock::detach(VirtualTimer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}
