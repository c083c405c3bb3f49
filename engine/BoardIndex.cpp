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
        const int s = state_.horseSquare[c][k];
        if (s <= Square::Stable) {
            continue;
        }
        // A saved game may hold any square at or beyond the finish: it means arrived.
        state_.boardOwner[s >= Square::finish(c) ? Square::arrivalSlot(c, k) : s] = c;
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

void BoardIndex::renumberHorses() {
    int count[5] = {};
    for (int c = 1; c <= 4; ++c) {
        for (int k = 1; k <= 4; ++k) {
            state_.horseSquare[c][k] = Square::Stable;
        }
    }
    for (int s = 1; s <= Square::OffBoard; ++s) {
        const int c = state_.boardOwner[s];
        if (Colour::isColour(c) && count[c] < 4) {
            state_.horseSquare[c][++count[c]] = s;
        }
    }
    for (int k = 1; k <= 4; ++k) {
        for (int c = 1; c <= 4; ++c) {
            const int s = state_.horseSquare[c][k];
            walk_.drawHorseAt(s == Square::Stable ? -1 : s, ImageRef::horse(c, k), c);
        }
    }
}
