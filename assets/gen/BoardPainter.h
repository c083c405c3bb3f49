#pragma once

#include "BoardGeometry.h"

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSize>

class QPainter;

// The printed board on its table: the cross of round squares, the home columns, the
// centre and the four stables, every square centred on the engine's geometry so the
// horses always land on what the player sees.
class BoardPainter {
public:
    explicit BoardPainter(int artworkSize);

    QSize pictureSize() const;
    QRectF boardRect() const;
    double squareRadius() const;
    // The centre of a square's pixel, so a ring drawn there is symmetric about P(n).
    QPointF centreOf(int square) const;
    // The disc of a colour's stable: round its four resting places, large enough to hold
    // them whole, and inside the printed frame when the board leaves room for it.
    QPointF stableCentre(int colour) const { return discs_[colour].centre; }
    double stableRadius(int colour) const { return discs_[colour].radius; }

    // Paints the table over the whole picture and the board on its left.
    void paint(QPainter& painter) const;

private:
    struct Disc {
        QPointF centre;
        double radius = 0;
    };

    Disc fitStableDisc(int colour) const;
    QPainterPath crossPath() const;
    void paintTable(QPainter& painter) const;
    void paintBoard(QPainter& painter) const;
    void paintCross(QPainter& painter) const;
    void paintStable(QPainter& painter, int colour) const;
    void paintCentre(QPainter& painter) const;
    void paintTrack(QPainter& painter) const;
    void paintHomeColumn(QPainter& painter, int colour) const;
    void paintRoundSquare(QPainter& painter, QPointF centre, QColor fill, QColor outline) const;
    void paintStartArrow(QPainter& painter, int colour) const;

    BoardGeometry geometry_;
    int size_;
    double scale_;
    double step_; // distance between neighbouring track squares
    Disc discs_[5];
};
