#include "GameEngine.h"

#include "ColourLayout.h"
#include "ComputerChoice.h"
#include "MoveRules.h"
#include "PlayerKind.h"
#include "StrongChoice.h"

#include <algorithm>
#include <iterator>

GameEngine::GameEngine(BoardView& view, EngineTimers timers, DieSource& die,
                       const Settings& settings)
    : view_(view), timers_(timers), die_(die), settings_(settings), walk_(view, state_, settings),
      board_(state_, view, walk_) {
    timers_.seconde->setInterval(throwDelayMs);
    timers_.clignotant->setInterval(firstBlinkMs);
    timers_.choix->setInterval(settings_.choiceDelayMs);
    timers_.seconde->stop();
    timers_.choix->stop();
    timers_.clignotant->stop();
}

// ---------------------------------------------------------------------------------------
// Commands and timer ticks

void GameEngine::startNewGame() {
    if (!state_.allowNewGame) {
        return;
    }
    view_.prepareMarkersForNewGame();
    timers_.seconde->stop();
    timers_.choix->stop();
    view_.hideDie();
    setUpGame();
    if (state_.currentColour == -1) {
        stopGame();
        view_.showMessage("Attention !",
                          "Tous les joueurs sont inactifs.\r\n\r\nVeuillez changer la "
                          "configuration.",
                          MessageKind::Ok);
    } else {
        startTurn();
    }
}

void GameEngine::requestStop() {
    if (!state_.gameInProgress) {
        return;
    }
    const int answer = view_.showMessage(
        "Attention !",
        "La partie en cours sera perdue.\r\n\r\nVoulez-vous réellement arrêter la partie ?",
        MessageKind::YesNo);
    if (answer == MessageResult::Yes) {
        stopGame();
    }
}

void GameEngine::humanThrow(int colour) {
    if (!Colour::isColour(colour) || !state_.throwArmed[colour]) {
        return;
    }
    state_.awaitingHumanThrow = false;
    state_.dieValue = die_.throwDie();
    view_.showDie(state_.dieValue);
    state_.throwArmed[colour] = false;
    // The blink may have left the button unlit at the moment of the click.
    view_.setThrowButtonLit(colour, true);
    timers_.seconde->start();
}

void GameEngine::applyChosenMove(int k) {
    const int c = state_.currentColour;
    if (k < 1 || k > 4 || !Colour::isColour(c) || settings_.playerKind[c] != PlayerKind::Human) {
        return;
    }
    // The targets of a settled move are stale: a click that reaches us then (a key, a
    // marker caught mid-animation) must not replay an old throw.
    if (state_.moveSettled || state_.moveTarget[k] == 0) {
        return;
    }
    makeMove(c, k, state_.moveTarget[k]);
}

void GameEngine::afterThrow() {
    timers_.seconde->stop();
    timers_.choix->setInterval(settings_.choiceDelayMs);
    const int c = state_.currentColour;
    if (Colour::isColour(c)) {
        computeMoveTargets(c, settings_.playerKind[c]);
        rebuildBoard(c);
    }
    if (!state_.moveSettled) {
        return; // the choice belongs to a marker click or to TimerChoix
    }
    if (state_.dieValue != 6) {
        advanceColour(state_.currentColour);
    }
    startTurn();
}

void GameEngine::chooseComputerMove() {
    timers_.choix->stop();
    const int c = state_.currentColour;
    if (!Colour::isColour(c) || state_.moveSettled) {
        return;
    }
    ComputerChoice::Choice choice;
    // The strong level weighs the board instead of following the fixed preferences.
    if (settings_.computerLevel == ComputerLevel::Strong) {
        choice.horse = StrongChoice::choose(state_, c, state_.moveTarget);
        choice.stableExit =
            choice.horse != 0 && state_.moveTarget[choice.horse] == ColourLayout::of(c).startSquare;
    }
    if (choice.horse == 0) {
        choice = ComputerChoice::choose(c, state_.moveTarget, die_);
    }
    if (choice.horse == 0) {
        return;
    }
    const int k = choice.horse;
    if (choice.stableExit) {
        // Stored first, so that the horse is put straight on its start square.
        const int start = state_.moveTarget[k];
        state_.horseSquare[c][k] = start;
        walk_.placeHorse(start, start, c, ImageRef::horse(c, k));
        rebuildBoard(c);
        settleMove();
        return;
    }
    makeMove(c, k, state_.moveTarget[k]);
}

void GameEngine::blinkTick() {
    timers_.clignotant->stop();
    const bool show = state_.blinkOn;
    view_.setMarkerPictures(show);
    for (int c = 1; c <= 4; ++c) {
        if (settings_.playerKind[c] == PlayerKind::Human && state_.throwArmed[c]) {
            view_.setThrowButtonLit(c, show);
        }
    }
    timers_.clignotant->setInterval(show ? blinkShownMs : blinkHiddenMs);
    state_.blinkOn = !show;
    timers_.clignotant->start();
}

// ---------------------------------------------------------------------------------------
// Turn cycle

void GameEngine::setUpGame() {
    board_.clearBoard();
    for (int c = 1; c <= 4; ++c) {
        state_.arrivalPending[c] = true;
        state_.colourFinished[c] = settings_.playerKind[c] == PlayerKind::Disabled;
        for (int k = 1; k <= 4; ++k) {
            state_.horseSquare[c][k] = Square::Stable;
        }
    }
    std::fill(std::begin(state_.moveTarget), std::end(state_.moveTarget), 0);
    state_.moveSettled = true;
    for (int c = 1; c <= 4; ++c) {
        if (settings_.playerKind[c] == PlayerKind::Disabled) {
            continue; // its horses stay hidden
        }
        for (int k = 1; k <= 4; ++k) {
            const ImageRef image = ImageRef::horse(c, k);
            walk_.drawHorseAt(-1, image);
            view_.setHorseVisible(image, true);
        }
    }
    sendMarkersAway();
    setGameRunning(true);
    state_.currentColour = -1;
    for (int c = 4; c >= 1; --c) {
        if (settings_.playerKind[c] != PlayerKind::Disabled) {
            state_.currentColour = c;
        }
    }
    timers_.clignotant->start();
}

void GameEngine::startTurn() {
    if (!state_.gameInProgress || allColoursFinished()) {
        return;
    }
    const int c = state_.currentColour;
    if (!Colour::isColour(c)) {
        return;
    }
    if (settings_.playerKind[c] == PlayerKind::Human) {
        state_.awaitingHumanThrow = true;
        state_.throwArmed[c] = true;
        setThrowButtonsLitOnly(c);
        return;
    }
    state_.awaitingHumanThrow = false;
    state_.dieValue = die_.throwDie();
    view_.showDie(state_.dieValue);
    setThrowButtonsLitOnly(c);
    timers_.seconde->start();
}

void GameEngine::settleMove() {
    sendMarkersAway();
    state_.moveSettled = true;
    if (allColoursFinished()) {
        return; // the rebuild has already announced the end
    }
    const int c = state_.currentColour;
    if (state_.dieValue != 6 || (Colour::isColour(c) && state_.colourFinished[c])) {
        advanceColour(c);
    }
    startTurn();
}

void GameEngine::advanceColour(int c) {
    sendMarkersAway();
    if (!Colour::isColour(c)) {
        return;
    }
    int next = c;
    for (int i = 1; i <= 3; ++i) {
        if (!state_.colourFinished[Colour::after(c, i)]) {
            next = Colour::after(c, i);
            break;
        }
    }
    state_.currentColour = next;
    view_.setThrowButtonLit(next, true);
}

void GameEngine::stopGame() {
    state_.moveSettled = true;
    setGameRunning(false);
    for (int c = 1; c <= 4; ++c) {
        for (int k = 1; k <= 4; ++k) {
            const ImageRef image = ImageRef::horse(c, k);
            view_.setHorseVisible(image, false);
            walk_.drawHorseAt(Square::OffBoard, image);
        }
    }
    sendMarkersAway();
    state_.currentColour = 1;
    view_.hideDie();
    timers_.clignotant->stop();
    timers_.seconde->stop();
    timers_.choix->stop();
}

void GameEngine::resumeLoadedGame(const int horseSquare[5][5], int currentColour) {
    timers_.seconde->stop();
    timers_.choix->stop();
    view_.hideDie();
    // A game may be running: the set-up shows the colours that play in the file, so the
    // horses of one that the file leaves out must go.
    for (int c = 1; c <= 4; ++c) {
        if (settings_.playerKind[c] == PlayerKind::Disabled) {
            for (int k = 1; k <= 4; ++k) {
                view_.setHorseVisible(ImageRef::horse(c, k), false);
            }
        }
    }
    setUpGame();
    for (int c = 1; c <= 4; ++c) {
        for (int k = 1; k <= 4; ++k) {
            state_.horseSquare[c][k] = horseSquare[c][k];
        }
    }
    // setUpGame has already picked the first colour that plays, or -1 when none does.
    if (Colour::isColour(currentColour)) {
        state_.currentColour = currentColour;
    }
    for (int c = 1; c <= 4; ++c) {
        rebuildBoard(c);
        // A file whose every colour has arrived ends the game in the first rebuild;
        // going on would announce that end three more times.
        if (!state_.gameInProgress) {
            return;
        }
    }
    startTurn();
}

// ---------------------------------------------------------------------------------------
// Moves

void GameEngine::computeMoveTargets(int colour, int kind) {
    state_.exitGranted = false;
    if (MoveRules::moveTargets(state_, colour, state_.dieValue, state_.moveTarget,
                               state_.exitGranted)) {
        showMoveChoices(kind);
    }
}

void GameEngine::showMoveChoices(int kind) {
    for (int k = 1; k <= 4; ++k) {
        walk_.drawHorseAt(-1, ImageRef::marker(k));
    }
    const int* target = state_.moveTarget;
    if (target[1] == 0 && target[2] == 0 && target[3] == 0 && target[4] == 0) {
        return;
    }
    for (int k = 1; k <= 4; ++k) {
        walk_.drawHorseAt(target[k] != 0 ? target[k] : Square::OffBoard, ImageRef::marker(k));
    }
    state_.moveSettled = false;
    if (kind != PlayerKind::Human) {
        timers_.choix->start();
    }
}

// The move, whoever chose it: the walk, the horse's new square, the board, the turn.
void GameEngine::makeMove(int c, int k, int target) {
    walk_.placeHorse(state_.horseSquare[c][k], target, c, ImageRef::horse(c, k));
    state_.horseSquare[c][k] = target;
    rebuildBoard(c);
    settleMove();
}

void GameEngine::rebuildBoard(int c) {
    board_.rebuildBoard(c);
    if (allColoursFinished()) {
        view_.showMessage("Information", "La partie est terminée, tous les chevaux sont arrivés.",
                          MessageKind::Ok);
        stopGame();
    }
}

// ---------------------------------------------------------------------------------------
// Helpers

void GameEngine::setThrowButtonsLitOnly(int colour) {
    for (int c = 1; c <= 4; ++c) {
        view_.setThrowButtonLit(c, c == colour);
    }
}

// The buttons disarmed and the command flags of a game that starts or stops.
void GameEngine::setGameRunning(bool running) {
    for (int c = 1; c <= 4; ++c) {
        state_.throwArmed[c] = false;
        view_.setThrowButtonLit(c, false);
    }
    state_.gameInProgress = running;
    state_.awaitingHumanThrow = running;
    state_.allowNewGame = state_.allowNewGameHover = state_.allowQuitHover = !running;
    state_.allowLoad = state_.allowAbout = state_.allowAfas = true;
    state_.allowCdAudio = state_.allowHelp = true;
}

void GameEngine::sendMarkersAway() {
    for (int k = 1; k <= 4; ++k) {
        walk_.drawHorseAt(Square::OffBoard, ImageRef::marker(k));
    }
}

bool GameEngine::allColoursFinished() const {
    return std::all_of(std::begin(state_.colourFinished) + 1, std::end(state_.colourFinished),
                       [](bool finished) { return finished; });
}
