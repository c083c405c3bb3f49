#include "ComputerChoice.h"

#include "ColourLayout.h"

namespace {

// The first horse, in number order, that can move and whose target qualifies.
template <typename Qualifies> int firstHorse(const int target[5], Qualifies qualifies) {
    for (int k = 1; k <= 4; ++k) {
        if (target[k] != 0 && qualifies(target[k])) {
            return k;
        }
    }
    return 0;
}

} // namespace

ComputerChoice::Choice ComputerChoice::choose(int colour, const int target[5], DieSource& die) {
    // Without a single possible move the random pick below would never end.
    if (target[1] == 0 && target[2] == 0 && target[3] == 0 && target[4] == 0) {
        return {};
    }
    const ColourLayout& layout = ColourLayout::of(colour);
    const int L = layout.lastTrackSquare;
    const int S = layout.startSquare;
    const int H = layout.homeSquare;
    const int limit = layout.homeLimit;

    if (const int k = firstHorse(target, [L](int t) { return t == L; })) {
        return {k, false};
    }
    if (const int k = firstHorse(target, [S](int t) { return t == S; })) {
        return {k, true};
    }
    // Steps 1 to 4 of the home column.
    if (const int k = firstHorse(target, [H, limit](int t) { return t >= H && t < limit; })) {
        return {k, false};
    }
    // Every horse that can move is equally likely, whatever its move.
    for (;;) {
        const int k = die.draw(4);
        if (target[k] != 0) {
            return {k, false};
        }
    }
}
