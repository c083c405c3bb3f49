#include "VirtualClock.h"

#include "VirtualTimer.h"

#include <algorithm>

VirtualTimer* VirtualClock::nextDue() const {
    std::uint64_t due;
    return nextDue(due);
}

VirtualTimer* VirtualClock::nextDue(std::uint64_t& bestDue) const {
    // Without branches on the timers' states: which timer comes next changes from one
    // event to the next, and a wrong guess costs more than the comparisons.
    VirtualTimer* best = nullptr;
    bestDue = never;
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

void VirtualClock::fire(VirtualTimer* timer, std::uint64_t due) {
    const Ms now = std::max(now_, static_cast<Ms>(due));
    now_ = now;
    timer->fire(now);
}

bool VirtualClock::runNext() {
    std::uint64_t due;
    VirtualTimer* timer = nextDue(due);
    if (timer == nullptr) {
        return false;
    }
    fire(timer, due);
    return true;
}

bool VirtualClock::runWhile(const bool& running, long maxEvents) {
    for (long events = 0; running; ++events) {
        std::uint64_t due;
        VirtualTimer* timer = nextDue(due);
        if (events >= maxEvents || timer == nullptr) {
            return false;
        }
        fire(timer, due);
    }
    return true;
}

void VirtualClock::runFor(Ms ms) {
    const Ms end = now_ + std::max<Ms>(ms, 0);
    for (VirtualTimer* timer = nextDue(); timer != nullptr && timer->due() <= end;
         timer = nextDue()) {
        fire(timer, static_cast<std::uint64_t>(timer->due()));
    }
    now_ = std::max(now_, end);
}

void VirtualClock::attach(VirtualTimer* timer) {
    timers_.push_back(timer);
}

void VirtualClock::detach(VirtualTimer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}
