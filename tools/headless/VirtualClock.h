#pragma once

#include <cstdint>

class VirtualTimer;

// Time for a game played without a window. Nothing happens by itself: the driver asks the
// clock to run the next due timer, and blocking view calls move time on with advance(),
// during which no timer fires, as on the interface thread during a walk.
class VirtualClock {
public:
    using Ms = std::int64_t;
    // Where a timer that cannot fire stands in the order of due times: after all others.
    static constexpr std::uint64_t never = ~std::uint64_t{0};
    // The window drives the engine with three timers; so does every harness of it.
    static constexpr int maxTimers = 3;

    VirtualClock() = default;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    Ms now() const { return now_; }

    // Time passes with the thread blocked; timers that come due fire afterwards.
    void advance(Ms ms) {
        if (ms > 0) {
            now_ += ms;
        }
    }

    // Fires the active timer that is due first (ties in the order their counts began),
    // moving time on to its due time when that is later. False when no timer runs.
    bool runNext();

    // Runs timers one after the other while `running` holds, at most maxEvents of them.
    // False when it still held after maxEvents, or no timer was left to fire.
    bool runWhile(const bool& running, long maxEvents);

    // Fires every timer due up to now + ms in time order, then sets the time to that
    // moment. A handler may start or stop timers, or call back into the clock.
    void runFor(Ms ms);

    // The due timer that would fire next, or nullptr.
    VirtualTimer* nextDue() const;

private:
    friend class VirtualTimer;

    // A timer's place in the firing order. A timer rewrites its slot whenever its count
    // restarts or it stops.
    struct Slot {
        std::uint64_t due = never;
        std::uint64_t sequence = 0;
        VirtualTimer* timer = nullptr;
    };

    // Throws std::length_error beyond maxTimers.
    Slot* attach(VirtualTimer* timer);
    void detach(VirtualTimer* timer);
    std::uint64_t nextSequence() { return ++sequence_; }

    int nextSlot() const;
    void fire(int slot);

    Ms now_ = 0;
    std::uint64_t sequence_ = 0;
    Slot slots_[maxTimers];
};
