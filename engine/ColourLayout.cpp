#include "ColourLayout.h"

namespace {
// Index 0 repeats Jaune so that an out-of-range colour never reads outside the table.
constexpr ColourLayout layoutOf(int c, int start, int lastTrack) {
    return {
        {0, Square::stable(c, 1), Square::stable(c, 2), Square::stable(c, 3), Square::stable(c, 4)},
        start,
        lastTrack,
        Square::homeStep(c, 1),
        Square::homeStep(c, 5),
        Square::finish(c),
        {0, Square::arrivalSlot(c, 1), Square::arrivalSlot(c, 2), Square::arrivalSlot(c, 3),
         Square::arrivalSlot(c, 4)}};
}

// Index 0 repeats Jaune so that an out-of-range colour never reads outside the table.
constexpr ColourLayout layouts[5] = {
    layoutOf(1, 1, 56),  layoutOf(1, 1, 56),  layoutOf(2, 15, 14),
    layoutOf(3, 29, 28), layoutOf(4, 43, 42),
};

const char* const names[5] = {"", "Jaune", "Vert", "Bleu", "Rouge"};
} // namespace

const char* Colour::name(int c) {
    return isColour(c) ? names[c] : names[0];
}

const ColourLayout& ColourLayout::of(int colour) {
    return layouts[Colour::isColour(colour) ? colour : 0];
}
