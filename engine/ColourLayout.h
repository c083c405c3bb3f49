#pragma once

// Colours in the order of play. Every per-colour array is indexed 1..4 in this order.
namespace Colour {
enum : int { Jaune = 1, Vert = 2, Bleu = 3, Rouge = 4 };
}

// Special squares. Home columns, finishes, arrival and stable squares are 100 x colour + n.
namespace Square {
enum : int { Stable = 0, FirstTrack = 1, LastTrack = 56, OffBoard = 500, GeometrySize = 512 };
}

struct ColourLayout {
    int stableSquare[5]; // drawing places of horse images 1..4 while in the stable
    int startSquare;     // where a horse enters the track
    int lastTrackSquare; // the square in front of the home column
    int homeSquare;      // step 1 of the home column
    int homeLimit;       // step 5: the computer prefers targets below it
    int centreSquare;    // the finish
    int arrivalSlot[5];  // arrival slots 1..4

    // The layout of colour 1..4.
    static const ColourLayout& of(int colour);
};
