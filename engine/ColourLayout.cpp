#include "ColourLayout.h"

namespace {
// Index 0 repeats Jaune so that an out-of-range colour never reads outside the table.
const ColourLayout layouts[5] = {
    {{0, 121, 122, 123, 124}, 1, 56, 100, 104, 106, {0, 107, 108, 109, 110}},
    {{0, 121, 122, 123, 124}, 1, 56, 100, 104, 106, {0, 107, 108, 109, 110}},
    {{0, 221, 222, 223, 224}, 15, 14, 200, 204, 206, {0, 207, 208, 209, 210}},
    {{0, 321, 322, 323, 324}, 29, 28, 300, 304, 306, {0, 307, 308, 309, 310}},
    {{0, 421, 422, 423, 424}, 43, 42, 400, 404, 406, {0, 407, 408, 409, 410}},
};
} // namespace

const ColourLayout& ColourLayout::of(int colour) {
    return layouts[(colour >= 1 && colour <= 4) ? colour : 0];
}
