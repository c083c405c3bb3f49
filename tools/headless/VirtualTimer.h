#pragma once

#include "EngineTimer.h"
#include "VirtualClock.h"

#include <functional>

// A window timer on virtual time, with the semantics the engine relies on: setting the
// interval or the running state to the value it already has changes nothing; changing
// either restarts the count. It repeats until stopped, like the window's timers.
class VirtualTimer final : public EngineTimer {
public:
    // A handler as a plain function and its argument.
    using Handler = void (*)(void* context);

    // Throws std::length_error when the clock already drives VirtualClock::maxTimers.
    explicit VirtualTimer(VirtualClock& clock, std::function<void()> onTick = {});
    ~VirtualTimer() override;
    VirtualTimer(const VirtualTimer&) = delete;
    VirtualTimer& operator=(const VirtualTimer&) = delete;

    void setOnTick(std::function<void()> onTick);
    void setOnTick(Handler handler, void* context);

    void start() override;
    void stop() override;
    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    bool isActive() const override { return active_; }
    // A window timer with no interval never fires, which is what a computer pause of
    // zero seconds leads to.
    bool canFire() const { return active_ && interval_ > 0 && !skipped_; }
    // A timer whose ticks nobody observes (the blink, on a board that shows nothing)
    // keeps its running state and interval for the engine to read, but is never fired.
    void setSkipped(bool skipped);
    bool skipped() const { return skipped_; }

    VirtualClock::Ms due() const { return due_; }
    std::uint64_t sequence() const { return slot_->sequence; }
    int ticks() const { return ticks_; }

    // Called by the clock when the timer is due, with the time it has moved on to.
    void fire(VirtualClock::Ms now) {
        ++ticks_;
        // A repeating timer counts its next period from now, unless the handler restarts it.
        restartCount(now);
        handler_(context_);
    }

private:
    friend class VirtualClock;

    static void callFunction(void* timer);
    static void doNothing(void*) {}
    // The count begins again from `now`: the next tick is one interval away.
    void restartCount(VirtualClock::Ms now) {
        const VirtualClock::Ms due = now + interval_;
        due_ = due;
        slot_->sequence = clock_.nextSequence();
        slot_->due = canFire() ? static_cast<std::uint64_t>(due) : VirtualClock::never;
    }
    void restartCount() { restartCount(clock_.now()); }
    // The clock fires the timer due first, ties in the order their counts began; a timer
    // that cannot fire sorts after all others.
    void updateOrder() {
        slot_->due = canFire() ? static_cast<std::uint64_t>(due_) : VirtualClock::never;
    }

    VirtualClock& clock_;
    // The timer's due time and sequence number as the clock orders them.
    VirtualClock::Slot* slot_;
    std::function<void()> onTick_;
    Handler handler_ = &doNothing;
    void* context_ = nullptr;
    int interval_ = 0;
    bool active_ = false;
    bool skipped_ = false;
    VirtualClock::Ms due_ = 0;
    int ticks_ = 0;
};
