#pragma once

#include "GameState.h"

// The move rules: where a horse may go with a throw. Pure functions of the board and the
// die; showing the choices and making the move belong to the turn cycle.
namespace MoveRules {

// Where a horse of `colour` standing on `square` goes with `die`, or `square` itself when
// it cannot move. Only one horse may leave the stable per throw: `exitGranted` says
// whether one already has, and becomes true when this horse is the one.
int targetSquare(const GameState& state, int colour, int square, int die, bool& exitGranted);

// The targets of the four horses of `colour`, in number order, into target[1..4]; 0 for
// a horse that cannot move. True when at least one can.
bool moveTargets(const GameState& state, int colour, int die, int target[5], bool& exitGranted);

} // namespace MoveRules
