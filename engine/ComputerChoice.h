#pragma once

#include "DieSource.h"

// The computer's choice of a horse: a fixed order of preferences over the targets of the
// throw, then chance. It never looks ahead and never weighs a capture.
namespace ComputerChoice {

struct Choice {
    int horse = 0;           // 1..4; 0 when no horse can move
    bool stableExit = false; // the horse leaves the stable
};

// target[1..4] are the squares the four horses of `colour` would reach, 0 for a horse
// that cannot move. Random picks draw from `die`.
Choice choose(int colour, const int target[5], DieSource& die);

} // namespace ComputerChoice
