#pragma once

#include "GameState.h"

// The strong computer's pick among the moves of one throw. Where the standard computer
// follows a fixed order of preferences and draws the rest at random, this one plays each
// possible move on a copy of the board and keeps the position it values most: its own
// progress, what it has captured, and what it stands to lose before its next turn.
class StrongChoice {
public:
    // The horse 1..4 that `colour` moves, given each horse's target for the throw
    // (target[1..4], 0 when the horse cannot move); 0 when no horse can move. The state
    // is only read; ties go to the lowest horse number, so the pick is reproducible.
    static int choose(const GameState& state, int colour, const int target[5]);

private:
    StrongChoice(const GameState& state, int colour);

    void move(int k, int to);
    double score() const;
    static double horseValue(int colour, int square);
    double hitChance(int square) const;
    double reachChance(int colour, int square) const;
    bool pathClear(int from, int distance) const;

    int me_;
    int square_[5][5] = {};
    int trackOwner_[57] = {}; // 1..56
    bool playing_[5] = {};
};
