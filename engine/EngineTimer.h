#pragma once

// One of the window's timers, seen from the engine. Used one-shot: each tick handler
// stops its own timer first. Setting the interval or the running state to the value it
// already has changes nothing; changing either restarts the count.
class EngineTimer {
public:
    virtual ~EngineTimer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual bool isActive() const = 0;
};

// TimerSeconde ticks afterThrow, TimerChoix chooseComputerMove, TimerClignotant blinkTick.
struct EngineTimers {
    EngineTimer* seconde = nullptr;
    EngineTimer* choix = nullptr;
    EngineTimer* clignotant = nullptr;
};
