#include "GameStatistics.h"

#include "ColourLayout.h"

namespace {
// Far beyond any real game (a few thousand ticks), so only a game that cannot end hits it.
constexpr long maxEventsPerGame = 5'000'000;

} // namespace

void GameStatistics::CountingView::showDie(int face) {
    if (face >= 1 && face <= 6) {
        ++throws;
    }
}

int GameStatistics::CountingView::showMessage(const std::string& caption, const std::string& text,
                                              int messageKind) {
    for (int c = 1; c <= 4 && firstArrival == 0; ++c) {
        if (text == std::string("Le Cheval ") + Colour::name(c) + " est arrivé à l'écurie.") {
            firstArrival = c;
        }
    }
    return NullView::showMessage(caption, text, messageKind);
}

GameStatistics::GameStatistics(const int kinds[5], unsigned seed, const int* levels)
    : die_(seed), game_(clock_, view_, die_, settings_) {
    for (int c = 1; c <= 4; ++c) {
        settings_.playerKind[c] = kinds[c];
        if (levels != nullptr) {
            levels_[c] = levels[c];
        }
    }
    game_.choix().setOnTick([this] { countedChoice(); });
    game_.skipBlinkTicks(true);
}

int GameStatistics::horsesOnBoard(int colour) const {
    int count = 0;
    for (int k = 1; k <= 4; ++k) {
        count += game_.engine().state().horseSquare[colour][k] != 0 ? 1 : 0;
    }
    return count;
}

void GameStatistics::countedChoice() {
    GameEngine& engine = game_.engine();
    const GameState& state = engine.state();
    const bool choicePending = !state.moveSettled;
    const int mover = state.currentColour;
    int before[5] = {};
    for (int c = 1; c <= 4; ++c) {
        before[c] = horsesOnBoard(c);
    }
    if (mover >= 1 && mover <= 4) {
        settings_.computerLevel = levels_[mover];
    }
    engine.chooseComputerMove();
    if (!choicePending) {
        return;
    }
    ++moves_;
    // A captured horse is back in its stable after the rebuild that follows the move.
    for (int c = 1; c <= 4; ++c) {
        if (c != mover && horsesOnBoard(c) < before[c]) {
            captures_ += before[c] - horsesOnBoard(c);
        }
    }
}

bool GameStatistics::playGame() {
    view_.firstArrival = 0;
    const VirtualClock::Ms start = clock_.now();
    const bool ended = game_.playOneGame(maxEventsPerGame);
    virtualMs_ += clock_.now() - start;
    ++games_;
    if (view_.firstArrival != 0) {
        ++firstToFinish_[view_.firstArrival];
    }
    return ended;
}
