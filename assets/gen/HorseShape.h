#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;

// A knight-like horse head in profile, facing right, filling the box.
QPainterPath horseHeadPath(const QRectF& box);

// The head filled with its colour, a thin dark outline, an eye, a mane and a small
// highlight where the light from the top left catches the forehead.
void paintHorse(QPainter& painter, const QRectF& box, QColor fill, QColor outline);
