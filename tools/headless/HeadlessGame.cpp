#include "HeadlessGame.h"

namespace {
template <void (GameEngine::*tick)()> void engineTick(void* engine) {
    (static_cast<GameEngine*>(engine)->*tick)();
}
} // namespace

HeadlessGame::HeadlessGame(VirtualClock& clock, BoardView& view, DieSource& die,
                           const Settings& settings)
    : clock_(clock), seconde_(clock), choix_(clock), clignotant_(clock),
      engine_(view, EngineTimers{&seconde_, &choix_, &clignotant_}, die, settings) {
    seconde_.setOnTick(&engineTick<&GameEngine::afterThrow>, &engine_);
    choix_.setOnTick(&engineTick<&GameEngine::chooseComputerMove>, &engine_);
    clignotant_.setOnTick(&engineTick<&GameEngine::blinkTick>, &engine_);
    engine_.stopGame();
}

bool HeadlessGame::playOneGame(long maxEvents) {
    engine_.startNewGame();
    // A game that every colour sits out is refused at once; it did not end, it never ran.
    if (!engine_.state().gameInProgress) {
        return false;
    }
    return clock_.runWhile(engine_.state().gameInProgress, maxEvents);
}
