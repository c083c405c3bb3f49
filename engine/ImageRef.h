#pragma once

#include "Square.h"

// Names one of the engine's movable images: horse k of colour c (PionJaune1..PionRouge4),
// choice marker k (Pion1..Pion4) or the die (Des).
struct ImageRef {
    enum Kind { Horse, Marker, Die };
    Kind kind = Horse;
    int colour = 0; // 1..4 for a horse, 0 otherwise
    int number = 0; // 1..4 for a horse or a marker, 0 for the die

    static constexpr ImageRef horse(int colour, int k) { return {Horse, colour, k}; }
    static constexpr ImageRef marker(int k) { return {Marker, 0, k}; }
    static constexpr ImageRef die() { return {Die, 0, 0}; }

    // Where the image rests when it has no square of its own: a horse on its stable
    // square, anything else out of sight.
    constexpr int restingSquare() const {
        return kind == Horse ? Square::stable(colour, number) : Square::OffBoard;
    }

    constexpr bool operator==(const ImageRef& o) const {
        return kind == o.kind && colour == o.colour && number == o.number;
    }
    constexpr bool operator!=(const ImageRef& o) const { return !(*this == o); }
};
