#include "StrongChoice.h"

#include "ColourLayout.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Values in track squares: one square of progress is worth 1.
struct Weights {
    double exit = 10;   // a horse out of the stable, beyond the squares it has run
    double entry = 8;   // a horse in its home column, beyond the track behind it
    double step = 6;    // each step climbed in the column, and the finish
    double risk = 1;    // share of a horse's value lost times the chance it is hit
    double rival = 0.3; // an opponent's value, counted against ours
    double lead = 0.5;  // extra value of a square run, growing with the squares behind
};

Weights loadWeights() {
    Weights w;
    if (const char* env = std::getenv("BRAMIDOU_W")) {
        std::sscanf(env, "%lf,%lf,%lf,%lf,%lf,%lf", &w.exit, &w.entry, &w.step, &w.risk, &w.rival,
                    &w.lead);
    }
    return w;
}
const Weights weights = loadWeights();

// The value of `squares` run on the track.
double run(int squares) {
    return squares * (1 + weights.lead * squares / 55.0);
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

int StrongChoice::choose(const GameState& state, int colour, const int target[5], int die) {
    (void)die;
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
        if (!playing_[c] && c != me_) {
            continue;
        }
        for (int k = 1; k <= 4; ++k) {
            const int s = square_[c][k];
            const double value = horseValue(c, s);
            if (c == me_) {
                const double lost = onTrack(s) ? weights.risk * hitChance(s) * value : 0;
                total += value - lost;
            } else {
                total -= weights.rival * value;
            }
        }
    }
    return total;
}

double StrongChoice::horseValue(int colour, int square) const {
    const ColourLayout& layout = ColourLayout::of(colour);
    if (square <= 0) {
        return 0;
    }
    if (onTrack(square)) {
        return weights.exit + run(trackDistance(layout.startSquare, square));
    }
    const int step = square - layout.homeSquare;
    const int climbed = step < 0 ? 0 : (step > 6 ? 6 : step);
    return weights.exit + run(55) + weights.entry + climbed * weights.step;
}

// The chance that some opponent lands on `square` with its next throw: from one to six
// squares behind with nothing in between and without passing its own last track square,
// or from its stable when `square` is its start.
double StrongChoice::hitChance(int square) const {
    double miss = 1;
    for (int c = 1; c <= 4; ++c) {
        if (c == me_ || !playing_[c]) {
            continue;
        }
        const ColourLayout& layout = ColourLayout::of(c);
        double chance = 0;
        bool inStable = false;
        for (int k = 1; k <= 4; ++k) {
            const int s = square_[c][k];
            inStable = inStable || s == 0;
            if (!onTrack(s)) {
                continue;
            }
            const int d = trackDistance(s, square);
            if (d >= 1 && d <= 6 && d <= trackDistance(s, layout.lastTrackSquare) &&
                pathClear(s, d)) {
                chance += 1.0 / 6;
            }
        }
        if (inStable && square == layout.startSquare) {
            chance += 1.0 / 6;
        }
        miss *= chance < 1 ? 1 - chance : 0;
    }
    return 1 - miss;
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
