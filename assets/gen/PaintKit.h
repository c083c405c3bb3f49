#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// Small painting helpers shared by the board, the panel and the pieces. Everything here
// is deterministic: the same arguments give the same pixels on every run.
namespace PaintKit {

// Smooth value noise in [0, 1], repeatable for a given seed.
double valueNoise(double x, double y, quint32 seed);

// A soft shadow of the shape, cast by a light at the top left.
void dropShadow(QPainter& painter, const QPainterPath& shape, QPointF offset, double blur,
                QColor colour);

// Blurs an image in place (three box passes, close to a gaussian); radius in pixels.
void blur(QImage& image, int radius);

// Textures at the ratio in force (ArtScale), size in logical pixels.
// Wood with its grain running along x (or along y when vertical).
QImage woodTexture(QSize size, QColor light, QColor dark, quint32 seed, bool vertical);

// Printed paper: the colour with a faint fibrous grain.
QImage paperTexture(QSize size, QColor colour, quint32 seed);

// DejaVu at a pixel size; labels use the bold cut.
QFont font(const QString& family, double pixelSize, bool bold);

// The largest bold label font, at most maxPixels high, whose text fits the width.
QFont fittedLabelFont(const QString& text, double maxWidth, double maxPixels);

// Text centred in the box with an engraved look: a dark line under the letters.
void engravedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                  QColor colour, double depth);

// A raised rounded plaque of walnut with a bevel, light from the top left.
void plaque(QPainter& painter, const QRectF& box, double radius, double scale, const QImage& wood);

} // namespace PaintKit
