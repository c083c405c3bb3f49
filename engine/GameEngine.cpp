#include "GameEngine.h"

#include "ColourLayout.h"
#include "PlayerKind.h"
#include "StrongChoice.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {
constexpr int markerColour = 10;
constexpr int outOfSightColour = 0;

bool isColour(int c) {
    return c >= 1 && c <= 4;
}

// The colour i places after c in the order of play, 4 + 1 counting as 1.
int colourAfter(int c, int i) {
    return (c - 1 + i) % 4 + 1;
}

// Built once: an ImageRef assembled field by field just before a call is read back
// through a store-forwarding stall, and a rebuild passes sixteen of them.
struct ImageTable {
    ImageRef horse[5][5];
    ImageRef marker[5];
    // The sixteen horses in the order a renumbering redraws them: by number, then colour.
    ImageRef byNumber[16];
    constexpr ImageTable() : horse(), marker(), byNumber() {
        for (int c = 1; c <= 4; ++c) {
            for (int k = 1; k <= 4; ++k) {
                horse[c][k] = ImageRef::horse(c, k);
                byNumber[4 * (k - 1) + (c - 1)] = horse[c][k];
            }
        }
        for (int k = 1; k <= 4; ++k) {
            marker[k] = ImageRef::marker(k);
        }
    }
};
constexpr ImageTable images;

// Built once: the view takes std::string, and a walk plays a sound at every step.
const std::string moveWave = GameEngine::moveSound;
const std::string captureWave = GameEngine::captureSound;
const std::string information = "Information";
const std::string attention = "Attention !";
const std::string gameOverText = "La partie est terminée, tous les chevaux sont arrivés.";
const std::string arrivalTexts[5] = {
    "",
    "Le Cheval Jaune est arrivé à l'écurie.",
    "Le Cheval Vert est arrivé à l'écurie.",
    "Le Cheval Bleu est arrivé à l'écurie.",
    "Le Cheval Rouge est arrivé à l'écurie.",
};

// ColourLayout::of lives in another file and is asked four times a throw.
const ColourLayout* const layouts[5] = {&ColourLayout::of(0), &ColourLayout::of(1),
                                        &ColourLayout::of(2), &ColourLayout::of(3),
                                        &ColourLayout::of(4)};
} // namespace

GameEngine::GameEngine(BoardView& view, EngineTimers timers, DieSource& die,
                       const Settings& settings)
    : view_(view), timers_(timers), die_(die), settings_(settings) {
    timers_.seconde->setInterval(throwDelayMs);
    timers_.clignotant->setInterval(1000);
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
        static const std::string text =
            "Tous les joueurs sont inactifs.\r\n\r\nVeuillez changer la configuration.";
        view_.showMessage(attention, text, MessageKind::Ok);
    } else {
        startTurn();
    }
}

void GameEngine::requestStop() {
    if (!state_.gameInProgress) {
        return;
    }
    static const std::string text =
        "La partie en cours sera perdue.\r\n\r\nVoulez-vous réellement arrêter la partie ?";
    const int answer = view_.showMessage(attention, text, MessageKind::YesNo);
    if (answer == MessageResult::Yes) {
        stopGame();
    }
}

void GameEngine::humanThrow(int colour) {
    if (!isColour(colour) || !state_.throwArmed[colour]) {
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
    if (k < 1 || k > 4 || !isColour(c) || settings_.playerKind[c] != PlayerKind::Human) {
        return;
    }
    // The targets of a settled move are stale: a click that reaches us then (a key, a
    // marker caught mid-animation) must not replay an old throw.
    if (state_.moveSettled || state_.moveTarget[k] == 0) {
        return;
    }
    const int target = state_.moveTarget[k];
    place(state_.horseSquare[c][k], target, c, images.horse[c][k]);
    state_.horseSquare[c][k] = target;
    rebuildBoard(c);
    settleMove();
}

void GameEngine::afterThrow() {
    timers_.seconde->stop();
    timers_.choix->setInterval(settings_.choiceDelayMs);
    const int c = state_.currentColour;
    if (isColour(c)) {
        computeMoveTargets(c, settings_.playerKind[c]);
        rebuildBoard(c);
    }
    if (!state_.moveSettled) {
        return;
    }
    if (state_.dieValue != 6) {
        advanceColour(state_.currentColour);
    }
    startTurn();
}

void GameEngine::chooseComputerMove() {
    timers_.choix->stop();
    const int c = state_.currentColour;
    if (!isColour(c) || state_.moveSettled) {
        return;
    }
    const int* target = state_.moveTarget;
    // Without a single possible move the random pick below would never end.
    if (target[1] == 0 && target[2] == 0 && target[3] == 0 && target[4] == 0) {
        return;
    }
    const ColourLayout& layout = *layouts[c];
    auto firstWith = [&](auto qualifies) {
        for (int k = 1; k <= 4; ++k) {
            if (target[k] != 0 && qualifies(target[k])) {
                return k;
            }
        }
        return 0;
    };
    const int L = layout.lastTrackSquare;
    const int S = layout.startSquare;
    const int H = layout.homeSquare;
    // The strong level weighs the board instead of following the preferences below.
    const bool strong = settings_.computerLevel == ComputerLevel::Strong;
    int k =
        strong ? StrongChoice::choose(state_, c, target) : firstWith([L](int t) { return t == L; });
    bool stableExit = strong && k != 0 && target[k] == S;
    if (k == 0) {
        k = firstWith([S](int t) { return t == S; });
        stableExit = k != 0;
    }
    if (k == 0) {
        k = firstWith([H](int t) { return t >= H && t < H + 4; });
    }
    // Every horse that can move is equally likely, whatever its move.
    while (k == 0) {
        const int drawn = die_.draw(4);
        if (target[drawn] != 0) {
            k = drawn;
        }
    }

    if (stableExit) {
        state_.horseSquare[c][k] = S;
        place(S, S, c, images.horse[c][k]);
    } else {
        place(state_.horseSquare[c][k], target[k], c, images.horse[c][k]);
        state_.horseSquare[c][k] = target[k];
    }
    rebuildBoard(c);
    settleMove();
}

void GameEngine::blinkTick() {
    timers_.clignotant->stop();
    const bool show = state_.blinkOn;
    view_.setMarkerPictures(show);
    // Between two human throws no button is armed: the four flags read as one word.
    std::uint32_t armed;
    std::memcpy(&armed, &state_.throwArmed[1], sizeof armed);
    for (int c = 1; armed != 0 && c <= 4; ++c) {
        if (settings_.playerKind[c] == PlayerKind::Human && state_.throwArmed[c]) {
            view_.setThrowButtonLit(c, show);
        }
    }
    timers_.clignotant->setInterval(show ? 400 : 200);
    state_.blinkOn = !show;
    timers_.clignotant->start();
}

// ---------------------------------------------------------------------------------------
// Turn cycle

void GameEngine::setUpGame() {
    clearBoard();
    for (int c = 1; c <= 4; ++c) {
        state_.arrivalPending[c] = true;
        state_.colourFinished[c] = settings_.playerKind[c] == PlayerKind::Disabled;
        for (int k = 1; k <= 4; ++k) {
            state_.horseSquare[c][k] = 0;
        }
    }
    std::fill(std::begin(state_.moveTarget), std::end(state_.moveTarget), 0);
    state_.moveSettled = true;
    for (int c = 1; c <= 4; ++c) {
        if (settings_.playerKind[c] == PlayerKind::Disabled) {
            continue;
        }
        for (int k = 1; k <= 4; ++k) {
            const ImageRef image = images.horse[c][k];
            placeHorse(image.restingSquare(), image.restingSquare(), c, image);
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
    if (!isColour(c)) {
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
        return;
    }
    const int c = state_.currentColour;
    if (state_.dieValue != 6 || (isColour(c) && state_.colourFinished[c])) {
        advanceColour(c);
    }
    startTurn();
}

void GameEngine::advanceColour(int c) {
    sendMarkersAway();
    if (!isColour(c)) {
        return;
    }
    int next = c;
    for (int i = 1; i <= 3; ++i) {
        if (!state_.colourFinished[colourAfter(c, i)]) {
            next = colourAfter(c, i);
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
            const ImageRef image = images.horse[c][k];
            view_.setHorseVisible(image, false);
            placeHorse(Square::OffBoard, Square::OffBoard, outOfSightColour, image);
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
                view_.setHorseVisible(images.horse[c][k], false);
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
    if (isColour(currentColour)) {
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
// Move rules

void GameEngine::computeMoveTargets(int colour, int kind) {
    state_.exitGranted = false;
    bool any = false;
    for (int k = 1; k <= 4; ++k) {
        const int square = state_.horseSquare[colour][k];
        const int t = targetSquare(colour, square);
        state_.moveTarget[k] = t == square ? 0 : t;
        any = any || state_.moveTarget[k] != 0;
    }
    if (any) {
        showMoveChoices(colour, kind);
    }
}

int GameEngine::targetSquare(int colour, int square) {
    if (!isColour(colour)) {
        return square;
    }
    const ColourLayout& layout = *layouts[colour];
    const int d = state_.dieValue;
    const int* owner = state_.boardOwner;

    if (square >= 1 && square <= 56 && d >= 1 && d <= 6) {
        return trackTarget(colour, square);
    }
    if (square == 0) {
        const int S = layout.startSquare;
        if (d == 6 && owner[S] != colour && !state_.exitGranted) {
            state_.exitGranted = true;
            return S;
        }
        return square;
    }
    if (square >= 1 && square <= 99) {
        const int L = layout.lastTrackSquare;
        int t = square + d;
        if (square <= L && L < t) {
            // A horse must land exactly on its last track square, then enter with a 1.
            const int H = layout.homeSquare;
            return (square == L && d == 1 && owner[H] == 0) ? H : square;
        }
        auto passedFree = [owner](int from, int to) {
            for (int s = from; s <= to; ++s) {
                if (owner[s] != 0) {
                    return false;
                }
            }
            return true;
        };
        bool free;
        if (t > 56) {
            t -= 56;
            free = passedFree(square + 1, 56) && passedFree(1, t - 1);
        } else {
            free = passedFree(square + 1, t - 1);
        }
        return (free && owner[t] != colour) ? t : square;
    }
    if (square >= 100) {
        const int n = square - layout.homeSquare;
        if (n >= 0 && n <= 4) {
            return (d == n + 2 && owner[square + 1] == 0) ? square + 1 : square;
        }
        if (n == 5) {
            return d == 6 ? layout.centreSquare : square;
        }
    }
    return square;
}

// A track move of a horse on 1..56 with a throw of 1..6, as targetSquare gives it, worked
// out without a branch on the board: which squares are taken is down to the die.
int GameEngine::trackTarget(int colour, int square) const {
    const ColourLayout& layout = *layouts[colour];
    const int d = state_.dieValue;
    const int* owner = state_.boardOwner;
    const int L = layout.lastTrackSquare;
    const int H = layout.homeSquare;
    // A horse must land exactly on its last track square, then enter with a 1.
    const bool pastLast = square <= L && L < square + d;
    const bool enters = square == L && d == 1 && owner[H] == 0;
    int passed = 0;
    for (int i = 1; i < 6; ++i) {
        int s = square + i;
        s -= 56 & -static_cast<int>(s > 56);
        passed |= owner[s] & -static_cast<int>(i < d);
    }
    int t = square + d;
    t -= 56 & -static_cast<int>(t > 56);
    const bool lands = passed == 0 && owner[t] != colour;
    const int landing = lands ? t : square;
    return pastLast ? (enters ? H : square) : landing;
}

// Markers are placed without sound, so drawHorseAt(-1 or square, marker, 10) only moves
// the image: to 500, or onto the target.
void GameEngine::showMoveChoices(int colour, int kind) {
    (void)colour;
    for (int k = 1; k <= 4; ++k) {
        view_.moveImageToSquare(images.marker[k], Square::OffBoard);
    }
    const int* target = state_.moveTarget;
    if ((target[1] | target[2] | target[3] | target[4]) == 0) {
        return;
    }
    for (int k = 1; k <= 4; ++k) {
        const int t = target[k];
        view_.moveImageToSquare(images.marker[k],
                                t | (Square::OffBoard & -static_cast<int>(t == 0)));
    }
    state_.moveSettled = false;
    if (kind != PlayerKind::Human) {
        timers_.choix->start();
    }
}

void GameEngine::rebuildBoard(int c) {
    const int changed = horsesChangedSinceSettled();
    if (changed == 0) {
        drawHorses();
    } else if (changed > 0 && rebuildAfterOneMove(changed, c)) {
        drawHorses();
    } else {
        clearMarkedSquares();
        if (isColour(c)) {
            // The mover is written last, so it keeps a square it has just taken.
            for (int i = 1; i <= 4; ++i) {
                markColourOnBoard(colourAfter(c, i));
            }
        } else {
            for (int y = 1; y <= 4; ++y) {
                markColourOnBoard(y);
            }
        }
        renumberHorses();
    }
    if (allColoursFinished()) {
        view_.showMessage(information, gameOverText, MessageKind::Ok);
        stopGame();
    }
}

void GameEngine::markColourOnBoard(int y) {
    if (!isColour(y)) {
        return;
    }
    unsettled_ = allUnsettled;
    const int finish = 100 * y + 6;
    for (int k = 1; k <= 4; ++k) {
        const int s = state_.horseSquare[y][k];
        if (s <= 0) {
            continue;
        }
        markSquare(s >= finish ? finish + k : s, y);
    }
    const int* owner = state_.boardOwner;
    if (owner[finish + 1] == y && owner[finish + 2] == y && owner[finish + 3] == y &&
        owner[finish + 4] == y && state_.arrivalPending[y]) {
        view_.showMessage(information, arrivalTexts[y], MessageKind::Ok);
        state_.arrivalPending[y] = false;
        state_.colourFinished[y] = true;
    }
}

void GameEngine::renumberHorses() {
    // Only colour y ever writes y, so the squares a scan of 1..500 would give colour y
    // are among those its own horses were marked on: at most four, sorted here.
    constexpr int none = 1 << 30;
    for (int y = 1; y <= 4; ++y) {
        int v[4];
        for (int i = 0; i < 4; ++i) {
            // Squares taken over by a colour written later drop out.
            const int s = i < markedCount_[y] ? markedSquares_[y][i] : 0;
            v[i] = s != 0 && state_.boardOwner[s] == y ? s : none;
        }
        sortFour(v);
        int n = 0;
        for (int i = 0; i < 4; ++i) {
            // Two horses of one colour on one square count once.
            if (v[i] != none && (n == 0 || v[n - 1] != v[i])) {
                v[n++] = v[i];
            }
        }
        for (int k = 1; k <= 4; ++k) {
            state_.horseSquare[y][k] = k <= n ? v[k - 1] : 0;
        }
    }
    noteSettledHorses();
    drawHorses();
}

void GameEngine::drawHorses() {
    // drawHorseAt on the horse's own square or its stable square is a placement that is
    // always silent (the square is its own, or no track square), so only the image moves.
    for (int i = 0; i < 16; ++i) {
        view_.moveImageToSquare(images.byNumber[i], drawSquares_[i]);
    }
}

// ---------------------------------------------------------------------------------------
// Drawing and walking

void GameEngine::placeHorse(int from, int to, int colour, ImageRef image) {
    place(from, to, colour, image);
}

void GameEngine::place(int from, int to, int colour, const ImageRef& image) {
    const bool direct = to == from || to == from + 1 || (from == 0 && to >= 1 && to <= 56) ||
                        (to >= 100 && to <= 499);
    if (direct) {
        view_.moveImageToSquare(image, to);
        if (colour == markerColour) {
            return;
        }
        const int occ = ownerAt(to);
        if (occ != 0 && occ != colour && to <= 56) {
            playCapture();
        } else if (to == from + 1) {
            if (occ == 0) {
                playMoveStep();
            } else {
                playCapture();
            }
        } else if (occ == 0 && (to <= 56 || to == 100 || to == 200 || to == 300 || to == 400)) {
            playMoveStep();
        }
        return;
    }
    if (to < 1 || to > 99) {
        return;
    }
    view_.moveMarkersAside();
    auto step = [&](int s) {
        view_.moveImageToSquare(image, s);
        playMoveStep();
    };
    if (from > to) {
        for (int s = from + 1; s <= 56; ++s) {
            step(s);
        }
        for (int s = 1; s <= to; ++s) {
            step(s);
        }
    } else {
        for (int s = from + 1; s <= to; ++s) {
            step(s);
        }
    }
    if (ownerAt(to) != 0 && to <= 56) {
        playCapture();
    }
}

void GameEngine::drawHorseAt(int square, ImageRef image, int colour) {
    drawAt(square, image, colour);
}

void GameEngine::drawAt(int square, const ImageRef& image, int colour) {
    if (square == -1) {
        square = image.restingSquare();
    }
    place(square, square, colour, image);
}

void GameEngine::playMoveStep() {
    playStepSound(moveWave);
}

void GameEngine::playCapture() {
    playStepSound(captureWave);
}

void GameEngine::playStepSound(const std::string& file) {
    view_.moveMarkersAside();
    // Read at every step: the sound may be switched off between two games.
    if (settings_.soundOn) {
        view_.playWaveSync(file);
    } else {
        view_.sleepMs(stepPauseMs);
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
    // Markers are placed without sound: the same as drawHorseAt(500, marker, 10).
    for (int k = 1; k <= 4; ++k) {
        view_.moveImageToSquare(images.marker[k], Square::OffBoard);
    }
}

bool GameEngine::allColoursFinished() const {
    return state_.colourFinished[1] && state_.colourFinished[2] && state_.colourFinished[3] &&
           state_.colourFinished[4];
}

int GameEngine::ownerAt(int square) const {
    return (square >= 1 && square <= 500) ? state_.boardOwner[square] : 0;
}

void GameEngine::clearBoard() {
    unsettled_ = allUnsettled;
    std::memset(state_.boardOwner, 0, sizeof state_.boardOwner);
    std::fill(std::begin(markedCount_), std::end(markedCount_), 0);
}

void GameEngine::clearMarkedSquares() {
    for (int y = 1; y <= 4; ++y) {
        for (int i = 0; i < markedCount_[y]; ++i) {
            state_.boardOwner[markedSquares_[y][i]] = 0;
        }
        markedCount_[y] = 0;
    }
}

void GameEngine::markSquare(int square, int colour) {
    if (square < 1 || square > 500 || markedCount_[colour] >= 4) {
        return;
    }
    state_.boardOwner[square] = colour;
    markedSquares_[colour][markedCount_[colour]++] = square;
}

int GameEngine::horsesChangedSinceSettled() const {
    // The four flags of each array read as one word: an owed arrival message shows in it.
    std::uint32_t full;
    std::uint32_t pending;
    std::memcpy(&full, &slotsFull_[1], sizeof full);
    std::memcpy(&pending, &state_.arrivalPending[1], sizeof pending);
    if (unsettled_ != 0 || (full & pending) != 0) {
        return -1;
    }
    // Gathered without a branch per horse: which horse moved is down to the die.
    unsigned differ = 0;
    for (int y = 1; y <= 4; ++y) {
        for (int k = 1; k <= 4; ++k) {
            differ |= static_cast<unsigned>(state_.horseSquare[y][k] != settledSquares_[y][k - 1])
                      << (5 * y + k);
        }
    }
    if (differ == 0) {
        return 0;
    }
    // One horse only: its bit, 5 x colour + number, is the lowest and the only one.
    return (differ & (differ - 1)) == 0 ? __builtin_ctz(differ) : -1;
}

// One horse moved from a settled board, the way every move goes: onto an empty square or
// an opponent's, below its own finish, with the mover written last when it captures.
// Marking the colours again would give the settled board with the horse moved and the
// opponent gone, and no arrival can be completed, so only those two colours are worked
// out again. Anything else is left to the whole rebuild.
bool GameEngine::rebuildAfterOneMove(int horse, int mover) {
    const int c = horse / 5;
    const int k = horse % 5;
    const int to = state_.horseSquare[c][k];
    if (to < 1 || to >= 100 * c + 6) {
        return false;
    }
    int* owner = state_.boardOwner;
    const int taken = owner[to];
    if (taken == c || (taken != 0 && mover != c)) {
        return false;
    }
    const int from = settledSquares_[c][k - 1];
    if (from > 0) {
        owner[from] = 0;
    }
    owner[to] = c;
    settleColour(c, 0);
    noteSettledColour(c);
    if (taken != 0) {
        settleColour(taken, to);
        noteSettledColour(taken);
    }
    return true;
}

// The colour's horses in ascending order, stables last, leaving out a horse on `lost`;
// its marked squares are then exactly the squares it holds.
void GameEngine::settleColour(int y, int lost) {
    constexpr int none = 1 << 30;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        const int s = state_.horseSquare[y][i + 1];
        v[i] = s <= 0 || s == lost ? none : s;
    }
    sortFour(v);
    int n = 0;
    for (int i = 0; i < 4; ++i) {
        n += v[i] != none;
        state_.horseSquare[y][i + 1] = v[i] != none ? v[i] : 0;
        markedSquares_[y][i] = v[i] != none ? v[i] : 0;
    }
    markedCount_[y] = n;
}

void GameEngine::sortFour(int v[4]) {
    auto order = [v](int a, int b) {
        const int lo = std::min(v[a], v[b]);
        v[b] = std::max(v[a], v[b]);
        v[a] = lo;
    };
    order(0, 1);
    order(2, 3);
    order(0, 2);
    order(1, 3);
    order(1, 2);
}

// Called after every renumbering: the board then holds each colour's squares and nothing
// else, so marking the same horses again gives the same board unless an arrived horse
// would move to the slot of its new number.
void GameEngine::noteSettledHorses() {
    for (int y = 1; y <= 4; ++y) {
        noteSettledColour(y);
    }
}

void GameEngine::noteSettledColour(int y) {
    // Bitwise rather than short-circuit: where the horses stand is down to the die, and
    // every branch on it is a guess.
    const int finish = 100 * y + 6;
    unsigned unsettled = 0;
    for (int k = 1; k <= 4; ++k) {
        const int s = state_.horseSquare[y][k];
        unsettled |= static_cast<unsigned>(s >= finish) & static_cast<unsigned>(s != finish + k);
        settledSquares_[y][k - 1] = s;
        const int inStable = -static_cast<int>(s == 0);
        drawSquares_[4 * (k - 1) + (y - 1)] = s | (inStable & images.horse[y][k].restingSquare());
    }
    const int* slot = &state_.boardOwner[finish + 1];
    slotsFull_[y] = (slot[0] == y) & (slot[1] == y) & (slot[2] == y) & (slot[3] == y);
    unsettled_ = (unsettled_ & ~(1u << y)) | (unsettled << y);
}
