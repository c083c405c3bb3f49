#include "BoardIndex.h"

#include "ColourLayout.h"

#include <algorithm>
#include <iterator>
#include <string>

BoardIndex::BoardIndex(GameState& state, BoardView& view, HorseWalk& walk)
    : state_(state), view_(view), walk_(walk) {}

void BoardIndex::clearBoard() {
    std::fill(std::begin(state_.boardOwner), std::end(state_.boardOwner), 0);
}

void BoardIndex::rebuildBoard(int c) {
    clearBoard();
    if (Colour::isColour(c)) {
        // The mover is written last, so that it keeps a square it has just taken and the
        // horse it captured drops off the board.
        for (int i = 1; i <= 4; ++i) {
            markColourOnBoard(Colour::after(c, i));
        }
    } else {
        for (int other = 1; other <= 4; ++other) {
            markColourOnBoard(other);
        }
    }
    renumberHorses();
}

void BoardIndex::markColourOnBoard(int c) {
    if (!Colour::isColour(c)) {
        return;
    }
    for (int k = 1; k <= 4; ++k) {
        const int s = boardSquareOf(c, k);
        if (s != Square::Stable) {
            state_.boardOwner[s] = c;
        }
    }
    for (int k = 1; k <= 4; ++k) {
        if (state_.boardOwner[Square::arrivalSlot(c, k)] != c) {
            return;
        }
    }
    if (state_.arrivalPending[c]) {
        const std::string text =
            std::string("Le Cheval ") + Colour::name(c) + " est arrivé à l'écurie.";
        view_.showMessage("Information", text, MessageKind::Ok);
        state_.arrivalPending[c] = false;
        state_.colourFinished[c] = true;
    }
}

int BoardIndex::boardSquareOf(int c, int k) const {
    const int s = state_.horseSquare[c][k];
    if (s <= Square::Stable) {
        return Square::Stable;
    }
    // A saved game may hold any square at or beyond the finish: it means arrived.
    return s >= Square::finish(c) ? Square::arrivalSlot(c, k) : s;
}

// Gives what a scan of squares 1..500 in ascending order would give, but looks only at
// the sixteen squares the horses were written on: only colour c ever writes c, so the
// squares c holds are among its own horses' squares, less those a colour written later
// has taken.
void BoardIndex::renumberHorses() {
    for (int c = 1; c <= 4; ++c) {
        int held[4];
        int count = 0;
        for (int k = 1; k <= 4; ++k) {
            const int s = boardSquareOf(c, k);
            const bool holds = s != Square::Stable && state_.boardOwner[s] == c;
            // Two horses of one colour on one square hold it once.
            if (holds && std::find(held, held + count, s) == held + count) {
                held[count++] = s;
            }
        }
        // Insertion sort: at most four squares.
        for (int i = 1; i < count; ++i) {
            for (int j = i; j > 0 && held[j - 1] > held[j]; --j) {
                std::swap(held[j - 1], held[j]);
            }
        }
        for (int k = 1; k <= 4; ++k) {
            state_.horseSquare[c][k] = k <= count ? held[k - 1] : Square::Stable;
        }
    }
    for (int k = 1; k <= 4; ++k) {
        for (int c = 1; c <= 4; ++c) {
            const int s = state_.horseSquare[c][k];
            walk_.drawHorseAt(s == Square::Stable ? -1 : s, ImageRef::horse(c, k));
        }
    }
}
