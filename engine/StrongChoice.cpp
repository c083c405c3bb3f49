#include "StrongChoice.h"

#include "ColourLayout.h"

namespace {

// Values in track squares run. Each was kept because it won more games against three
// standard computers over 10,000 games a seat (tools/sim, --levels); the README has the
// figures.
// A horse out of the stable, beyond the squares it has run: leaving needs a six.
constexpr double exitValue = 10;
// A horse in its home column, beyond the track behind it: it can no longer be captured.
constexpr double entryValue = 8;
// Each step climbed in the column, and the finish.
constexpr double stepValue = 6;
// A square run is worth more the further the horse has come: the leading horses reach
// the column sooner, where the exact throws it needs can be waited for in safety. Without
// it every track move of a throw is worth the same, the tie goes to horse 1, and for Jaune,
// whose horses are numbered in the order they run, that is the rearmost one: Jaune then
// finished first in only 29 % of games, against 25 % for the standard computer.
constexpr double leadFactor = 0.5;
// The share of a horse's value counted as lost, times the chance an opponent lands on it
// before our next turn. The chance counts every reachable throw, while an opponent often
// moves another horse instead; the full value made the computer too timid.
constexpr double riskShare = 0.5;
// An opponent's horse counts against ours at this share, so that a capture is worth about
// a third of what the victim had run.
constexpr double rivalShare = 0.3;

constexpr int trackLength = 55; // squares from the start square to the last track square

double run(int squares) {
    return squares * (1 + leadFactor * squares / trackLength);
}

int nextTrackSquare(int square, int distance) {
    return (square - 1 + distance) % 56 + 1;
}

// Squares from `from` forward to `to` on the track, 0..55.
int trackDistance(int from, int to) {
    return (to - from + 56) % 56;
}

bool onTrack(int square) {
    return square >= 1 && square <= 56;
}

} // namespace

int StrongChoice::choose(const GameState& state, int colour, const int target[5]) {
    if (colour < 1 || colour > 4) {
        return 0;
    }
    const StrongChoice board(state, colour);
    int best = 0;
    double bestScore = 0;
    for (int k = 1; k <= 4; ++k) {
        if (target[k] == 0) {
            continue;
        }
        StrongChoice after = board;
        after.move(k, target[k]);
        const double s = after.score();
        if (best == 0 || s > bestScore) {
            best = k;
            bestScore = s;
        }
    }
    return best;
}

StrongChoice::StrongChoice(const GameState& state, int colour) : me_(colour) {
    for (int c = 1; c <= 4; ++c) {
        playing_[c] = !state.colourFinished[c];
        for (int k = 1; k <= 4; ++k) {
            const int s = state.horseSquare[c][k];
            square_[c][k] = s;
            if (onTrack(s)) {
                trackOwner_[s] = c;
            }
        }
    }
}

// The move as the rules make it: an opponent on a track target goes back to its stable.
void StrongChoice::move(int k, int to) {
    const int from = square_[me_][k];
    if (onTrack(from)) {
        trackOwner_[from] = 0;
    }
    if (onTrack(to)) {
        const int taken = trackOwner_[to];
        if (taken != 0 && taken != me_) {
            for (int j = 1; j <= 4; ++j) {
                if (square_[taken][j] == to) {
                    square_[taken][j] = 0;
                }
            }
        }
        trackOwner_[to] = me_;
    }
    square_[me_][k] = to;
}

double StrongChoice::score() const {
    double total = 0;
    for (int c = 1; c <= 4; ++c) {
        if (c != me_ && !playing_[c]) {
            continue;
        }
        for (int k = 1; k <= 4; ++k) {
            const int s = square_[c][k];
            const double value = horseValue(c, s);
            if (c == me_) {
                const double lost = onTrack(s) ? riskShare * hitChance(s) * value : 0;
                total += value - lost;
            } else {
                total -= rivalShare * value;
            }
        }
    }
    return total;
}

double StrongChoice::horseValue(int colour, int square) {
    const ColourLayout& layout = ColourLayout::of(colour);
    if (square <= 0) {
        return 0;
    }
    if (onTrack(square)) {
        return exitValue + run(trackDistance(layout.startSquare, square));
    }
    // Home column steps 0..5, then the finish and the arrival slots, all worth the finish.
    const int step = square - layout.homeSquare;
    const int climbed = step < 0 ? 0 : (step > 6 ? 6 : step);
    return exitValue + run(trackLength) + entryValue + climbed * stepValue;
}

// The chance that some opponent lands on `square` with its next throw.
double StrongChoice::hitChance(int square) const {
    double miss = 1;
    for (int c = 1; c <= 4; ++c) {
        if (c != me_ && playing_[c]) {
            miss *= 1 - reachChance(c, square);
        }
    }
    return 1 - miss;
}

// The chance that `colour` can land on `square` with one throw: from one to six squares
// behind with nothing in between and without passing its own last track square, or from
// its stable when `square` is its start. Each throw reaches at most one square from each
// horse, so the chances add up, to five sixths at most.
double StrongChoice::reachChance(int colour, int square) const {
    const ColourLayout& layout = ColourLayout::of(colour);
    double chance = 0;
    bool inStable = false;
    for (int k = 1; k <= 4; ++k) {
        const int s = square_[colour][k];
        inStable = inStable || s == 0;
        if (!onTrack(s)) {
            continue;
        }
        const int d = trackDistance(s, square);
        if (d >= 1 && d <= 6 && d <= trackDistance(s, layout.lastTrackSquare) && pathClear(s, d)) {
            chance += 1.0 / 6;
        }
    }
    if (inStable && square == layout.startSquare) {
        chance += 1.0 / 6;
    }
    return chance;
}

// No horse on the squares passed between `from` and `distance` squares further on.
bool StrongChoice::pathClear(int from, int distance) const {
    for (int i = 1; i < distance; ++i) {
        if (trackOwner_[nextTrackSquare(from, i)] != 0) {
            return false;
        }
    }
    return true;
}
