#pragma once

#include "GameEngine.h"
#include "VirtualClock.h"
#include "VirtualTimer.h"

// The engine wired to three virtual timers, the way the main window wires it to its own:
// TimerSeconde ticks afterThrow, TimerChoix chooseComputerMove, TimerClignotant blinkTick.
// Puts the engine in its idle state, as start-up does.
class HeadlessGame {
public:
    HeadlessGame(VirtualClock& clock, BoardView& view, DieSource& die, const Settings& settings);

    GameEngine& engine() { return engine_; }
    const GameEngine& engine() const { return engine_; }
    VirtualClock& clock() { return clock_; }
    VirtualTimer& seconde() { return seconde_; }
    VirtualTimer& choix() { return choix_; }
    VirtualTimer& clignotant() { return clignotant_; }

    // Leaves out the blink ticks: they only change pictures, so on a board that shows
    // nothing a game plays out the same without them, in a fraction of the events.
    void skipBlinkTicks(bool skip) { clignotant_.setSkipped(skip); }

    // Starts a new game and runs timers until it is over. False when it had not ended
    // after maxEvents timer ticks, or could not start.
    bool playOneGame(long maxEvents);

private:
    VirtualClock& clock_;
    VirtualTimer seconde_;
    VirtualTimer choix_;
    VirtualTimer clignotant_;
    GameEngine engine_;
};
