#include "VirtualClock.h"

#include "VirtualTimer.h"

#include <algorithm>
#include <stdexcept>

// The timer due first; on equal due times, the one whose count began first. Counts never
// begin twice with the same sequence number, so two timers that can fire never tie on both
// keys; two that cannot both stand at `never`, and which of them wins does not matter.
int VirtualClock::nextSlot() const {
    static_assert(maxTimers == 3, "the choice below compares three slots");
    const Slot* s = slots_;
    auto before = [s](int a, int b) {
        return s[a].due < s[b].due || (s[a].due == s[b].due && s[a].sequence < s[b].sequence);
    };
    int best = before(1, 0) ? 1 : 0;
    if (before(2, best)) {
        best = 2;
    }
    return s[best].due == never ? -1 : best;
}

VirtualTimer* VirtualClock::nextDue() const {
    const int slot = nextSlot();
    return slot < 0 ? nullptr : slots_[slot].timer;
}

void VirtualClock::fire(int slot) {
    const Ms now = std::max(now_, static_cast<Ms>(slots_[slot].due));
    now_ = now;
    slots_[slot].timer->fire(now);
}

bool VirtualClock::runNext() {
    const int slot = nextSlot();
    if (slot < 0) {
        return false;
    }
    fire(slot);
    return true;
}

bool VirtualClock::runWhile(const bool& running, long maxEvents) {
    for (long events = 0; running; ++events) {
        const int slot = nextSlot();
        if (events >= maxEvents || slot < 0) {
            return false;
        }
        fire(slot);
    }
    return true;
}

void VirtualClock::runFor(Ms ms) {
    const Ms end = now_ + std::max<Ms>(ms, 0);
    for (int slot = nextSlot(); slot >= 0 && static_cast<Ms>(slots_[slot].due) <= end;
         slot = nextSlot()) {
        fire(slot);
    }
    now_ = std::max(now_, end);
}

VirtualClock::Slot* VirtualClock::attach(VirtualTimer* timer) {
    for (Slot& slot : slots_) {
        if (slot.timer == nullptr) {
            slot = Slot{never, 0, timer};
            return &slot;
        }
    }
    throw std::length_error("a virtual clock drives at most three timers");
}

void VirtualClock::detach(VirtualTimer* timer) {
    for (Slot& slot : slots_) {
        if (slot.timer == timer) {
            slot = Slot{};
        }
    }
}
