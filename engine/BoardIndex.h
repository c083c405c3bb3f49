#pragma once

#include "BoardView.h"
#include "GameState.h"
#include "HorseWalk.h"

// The board index: which colour stands on each square, worked out again from the horses'
// squares after every move, with the horses renumbered and redrawn and the colours that
// have brought all four horses home announced.
class BoardIndex {
public:
    BoardIndex(GameState& state, BoardView& view, HorseWalk& walk);

    // After a move by colour c (any other value: no mover), a throw or a load.
    void rebuildBoard(int c);
    // Writes colour c's horses on the board; an arrived horse goes to the arrival slot of
    // its number. Announces the colour once when its four slots are filled.
    void markColourOnBoard(int c);
    // Horse 1 of each colour is the one on its lowest square, horses in the stable come
    // last; every horse is then drawn where it stands or on its stable square.
    void renumberHorses();
    void clearBoard();

private:
    // Where horse k of colour c is written on the board; Stable when it is not.
    int boardSquareOf(int c, int k) const;

    GameState& state_;
    BoardView& view_;
    HorseWalk& walk_;
};
