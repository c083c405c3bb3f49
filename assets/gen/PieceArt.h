#pragma once

#include <QImage>

// The pictures that move on the board: horses, the choice marker and the die faces.
namespace PieceArt {

// A horse of colour 1..4 on the grey key ground, size x size pixels.
QImage horse(int colour, int size);

// The choice marker: a white horse on a dark red rounded square, key grey in the corners.
QImage marker(int size);

// The soft glow laid under the horse a pointed marker would move: a see-through picture
// (alpha), as much wider than the piece on each side as glowMargin says.
QImage glow(int pieceSize);
int glowMargin(int pieceSize);

// Die face 1..6 painted over the felt it lies on (ground is the felt under the die).
QImage dieFace(const QImage& ground, int face);

} // namespace PieceArt
