#include "HeadlessGame.h"

HeadlessGame::HeadlessGame(VirtualClock& clock, BoardView& view, DieSource& die,
                           const Settings& settings)
    : clock_(clock), seconde_(clock), choix_(clock), clignotant_(clock),
      engine_(view, EngineTimers{&seconde_, &choix_, &clignotant_}, die, settings) {
    seconde_.setOnTick([this] { engine_.afterThrow(); });
    choix_.setOnTick([this] { engine_.chooseComputerMove(); });
    clignotant_.setOnTick([this] { engine_.blinkTick(); });
    engine_.stopGame();
}

bool HeadlessGame::playOneGame(long maxEvents) {
    engine_.startNewGame();
    for (long events = 0; engine_.state().gameInProgress; ++events) {
        if (events >= maxEvents || !clock_.runNext()) {
            return false;
        }
    }
    return true;
}
