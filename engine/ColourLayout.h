#pragma once

#include "Square.h"

// Colours in the order of play. Every per-colour array is indexed 1..4 in this order.
namespace Colour {
enum : int { Jaune = 1, Vert = 2, Bleu = 3, Rouge = 4 };

constexpr bool isColour(int c) {
    return c >= Jaune && c <= Rouge;
}
// The colour i places after c in the order of play, Rouge followed by Jaune.
constexpr int after(int c, int i) {
    return (c - 1 + i) % 4 + 1;
}
// "Jaune", "Vert", "Bleu", "Rouge"; "" for anything else.
const char* name(int c);
} // namespace Colour

// Where each colour enters, leaves and finishes the track.
struct ColourLayout {
    int stableSquare[5]; // drawing places of horse images 1..4 while in the stable
    int startSquare;     // where a horse enters the track
    int lastTrackSquare; // the square in front of the home column
    int homeSquare;      // step 1 of the home column
    int homeLimit;       // step 5: the computer prefers targets below it
    int centreSquare;    // the finish
    int arrivalSlot[5];  // arrival slots 1..4

    // The layout of colour 1..4; Jaune's for anything else.
    static const ColourLayout& of(int colour);
};
