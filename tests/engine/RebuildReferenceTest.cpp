// The rebuild after every move, against the rules written the plain way: clear all 500
// squares, mark the colours, scan every square for the numbering. Positions come from
// anything a saved game may hold and from chains of rebuilds with edits in between, so
// that whatever the engine remembers from one rebuild to the next is put to the test.
#include "EngineHarness.h"

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Outcome {
    int owner[501] = {};
    int horse[5][5] = {};
    bool pending[5] = {};
    bool finished[5] = {};
    std::vector<std::string> messages;
    std::vector<std::pair<int, int>> draws; // (colour * 10 + horse, square), in call order
};

Outcome plainRebuild(const GameState& in, int mover) {
    Outcome out;
    for (int c = 1; c <= 4; ++c) {
        out.pending[c] = in.arrivalPending[c];
        out.finished[c] = in.colourFinished[c];
    }
    std::vector<int> order;
    if (mover >= 1 && mover <= 4) {
        for (int i = 1; i <= 4; ++i) {
            order.push_back((mover - 1 + i) % 4 + 1);
        }
    } else {
        order = {1, 2, 3, 4};
    }
    for (int y : order) {
        const int finish = 100 * y + 6;
        for (int k = 1; k <= 4; ++k) {
            const int s = in.horseSquare[y][k];
            const int on = s >= finish ? finish + k : s;
            if (s > 0 && on <= 500) {
                out.owner[on] = y;
            }
        }
        bool all = true;
        for (int k = 1; k <= 4; ++k) {
            all = all && out.owner[finish + k] == y;
        }
        if (all && out.pending[y]) {
            out.messages.push_back(std::string("Information|Le Cheval ") + Colour::name(y) +
                                   " est arrivé à l'écurie.");
            out.pending[y] = false;
            out.finished[y] = true;
        }
    }
    int counter[5] = {0, 1, 1, 1, 1};
    for (int s = 1; s <= 500; ++s) {
        for (int y = 1; y <= 4; ++y) {
            if (out.owner[s] == y) {
                out.horse[y][counter[y]++] = s;
            }
        }
    }
    for (int k = 1; k <= 4; ++k) {
        for (int y = 1; y <= 4; ++y) {
            const int s = out.horse[y][k];
            out.draws.emplace_back(y * 10 + k, s != 0 ? s : 100 * y + 20 + k);
        }
    }
    if (out.finished[1] && out.finished[2] && out.finished[3] && out.finished[4]) {
        out.messages.push_back(
            "Information|La partie est terminée, tous les chevaux sont arrivés.");
    }
    return out;
}

class RebuildReference : public EngineHarness {
protected:
    int randomSquare(int colour) {
        switch (rng() % 6) {
        case 0:
            return std::uniform_int_distribution<int>(-3, 520)(rng);
        case 1:
            return 0;
        case 2:
            return 100 * colour + static_cast<int>(rng() % 11);
        default:
            // A crowded stretch of track, so that horses often share a square.
            return 1 + static_cast<int>(rng() % 12);
        }
    }

    void compare(const Outcome& want, int trial, int link) {
        const std::string where =
            "trial " + std::to_string(trial) + " rebuild " + std::to_string(link);
        for (int s = 1; s <= 500; ++s) {
            ASSERT_EQ(state().boardOwner[s], want.owner[s]) << where << " square " << s;
        }
        for (int c = 1; c <= 4; ++c) {
            for (int k = 1; k <= 4; ++k) {
                ASSERT_EQ(state().horseSquare[c][k], want.horse[c][k])
                    << where << " colour " << c << " horse " << k;
            }
            ASSERT_EQ(state().arrivalPending[c], want.pending[c]) << where << " colour " << c;
            ASSERT_EQ(state().colourFinished[c], want.finished[c]) << where << " colour " << c;
        }
        ASSERT_EQ(view.messages(), want.messages) << where;
        // A game that ends stops in the same rebuild and sends every image away after the
        // redraw; the redraw itself is the first sixteen image moves.
        std::vector<std::pair<int, int>> drawn;
        for (const RecordingView::Call& call : view.of(RecordingView::Op::MoveImage)) {
            if (drawn.size() < want.draws.size()) {
                drawn.emplace_back(call.image.colour * 10 + call.image.number, call.value);
            }
        }
        ASSERT_EQ(drawn, want.draws) << where;
        const bool over =
            want.finished[1] && want.finished[2] && want.finished[3] && want.finished[4];
        if (!over) {
            ASSERT_EQ(view.calls.size(), want.draws.size() + want.messages.size()) << where;
        }
    }

    std::mt19937 rng{2718};
};

TEST_F(RebuildReference, ChainsOfRebuildsMatchThePlainRules) {
    for (int trial = 0; trial < 4000; ++trial) {
        engine().setUpGame();
        for (int c = 1; c <= 4; ++c) {
            for (int k = 1; k <= 4; ++k) {
                state().horseSquare[c][k] = randomSquare(c);
            }
            // Colours that have already arrived, or are not playing.
            state().colourFinished[c] = rng() % 5 == 0;
            state().arrivalPending[c] = !state().colourFinished[c] || rng() % 2 == 0;
        }
        for (int link = 0; link < 6; ++link) {
            const int edit = static_cast<int>(rng() % 4);
            if (link > 0 && edit == 0) {
                // A move made by hand, as a test or the load command would.
                const int c = 1 + static_cast<int>(rng() % 4);
                state().horseSquare[c][1 + rng() % 4] = randomSquare(c);
            } else if (link > 0 && edit == 1) {
                const int c = 1 + static_cast<int>(rng() % 4);
                state().arrivalPending[c] = !state().arrivalPending[c];
            }
            // Most rebuilds follow a throw that moved nothing, as in a real game.
            const int mover = static_cast<int>(rng() % 6);
            const Outcome want = plainRebuild(state(), mover);
            view.clear();
            engine().rebuildBoard(mover);
            ASSERT_NO_FATAL_FAILURE(compare(want, trial, link));
        }
    }
}

} // namespace
