#pragma once

#include "EngineTimer.h"
#include "VirtualClock.h"

#include <functional>

// A window timer on virtual time, with the semantics the engine relies on: setting the
// interval or the running state to the value it already has changes nothing; changing
// either restarts the count. It repeats until stopped, like the window's timers.
class VirtualTimer : public EngineTimer {
public:
    explicit VirtualTimer(VirtualClock& clock, std::function<void()> onTick = {});
    ~VirtualTimer() override;
    VirtualTimer(const VirtualTimer&) = delete;
    VirtualTimer& operator=(const VirtualTimer&) = delete;

    void setOnTick(std::function<void()> onTick) { onTick_ = std::move(onTick); }

    void start() override;
    void stop() override;
    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    bool isActive() const override { return active_; }
    // A window timer with no interval never fires, which is what a computer pause of
    // zero seconds leads to.
    bool canFire() const { return active_ && interval_ > 0; }

    VirtualClock::Ms due() const { return due_; }
    std::uint64_t sequence() const { return sequence_; }
    int ticks() const { return ticks_; }

    // Called by the clock when the timer is due.
    void fire();

private:
    void restartCount();

    VirtualClock& clock_;
    std::function<void()> onTick_;
    int interval_ = 0;
    bool active_ = false;
    VirtualClock::Ms due_ = 0;
    std::uint64_t sequence_ = 0;
    int ticks_ = 0;
};
