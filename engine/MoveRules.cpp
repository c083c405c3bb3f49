#include "MoveRules.h"

#include "ColourLayout.h"

namespace {

// No horse, of any colour, stands on squares from..to of the track.
bool trackFree(const GameState& state, int from, int to) {
    for (int s = from; s <= to; ++s) {
        if (state.boardOwner[s] != 0) {
            return false;
        }
    }
    return true;
}

int trackTarget(const GameState& state, int colour, int square, int die) {
    const ColourLayout& layout = ColourLayout::of(colour);
    const int L = layout.lastTrackSquare;
    const int t = square + die;
    if (square <= L && L < t) {
        // A horse must land exactly on its last track square, then enter with a 1.
        const int H = layout.homeSquare;
        return (square == L && die == 1 && state.boardOwner[H] == 0) ? H : square;
    }
    // No horse may be jumped, whatever its colour.
    bool free;
    int landing = t;
    if (t > Square::LastTrack) {
        landing = t - Square::LastTrack;
        free = trackFree(state, square + 1, Square::LastTrack) &&
               trackFree(state, Square::FirstTrack, landing - 1);
    } else {
        free = trackFree(state, square + 1, t - 1);
    }
    return (free && state.boardOwner[landing] != colour) ? landing : square;
}

int homeColumnTarget(const GameState& state, int colour, int square, int die) {
    const int step = square - Square::homeStep(colour, 1) + 1;
    if (step >= 1 && step <= 5) {
        // Climbing from step n to step n + 1 takes exactly n + 1.
        return (die == step + 1 && state.boardOwner[square + 1] == 0) ? square + 1 : square;
    }
    if (step == 6) {
        return die == 6 ? Square::finish(colour) : square;
    }
    return square; // the finish and the arrival slots are the end of the road
}

} // namespace

int MoveRules::targetSquare(const GameState& state, int colour, int square, int die,
                            bool& exitGranted) {
    if (!Colour::isColour(colour)) {
        return square;
    }
    if (square == Square::Stable) {
        const int S = ColourLayout::of(colour).startSquare;
        if (die == 6 && state.boardOwner[S] != colour && !exitGranted) {
            exitGranted = true;
            return S;
        }
        return square;
    }
    if (square >= 1 && square <= 99) {
        return trackTarget(state, colour, square, die);
    }
    if (square >= 100) {
        return homeColumnTarget(state, colour, square, die);
    }
    return square;
}

bool MoveRules::moveTargets(const GameState& state, int colour, int die, int target[5],
                            bool& exitGranted) {
    bool any = false;
    for (int k = 1; k <= 4; ++k) {
        const int square = state.horseSquare[colour][k];
        const int t = targetSquare(state, colour, square, die, exitGranted);
        target[k] = t == square ? 0 : t;
        any = any || target[k] != 0;
    }
    return any;
}
