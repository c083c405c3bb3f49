#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>

class QPainter;

// The device pixel ratio the renderers draw at. Every picture and cursor is drawn twice by
// the same code: at ratio 1 for the normal set and at ratio 2 for its twin on high-density
// screens ("name@2x.png"). Drawing code works in logical pixels throughout; only what
// makes or reads pixels itself (canvases, textures, cut-outs, pixel loops) asks the ratio,
// through the helpers below.
class ArtScale {
public:
    // The ratio is in force until this object goes.
    explicit ArtScale(int ratio);
    ~ArtScale();
    ArtScale(const ArtScale&) = delete;
    ArtScale& operator=(const ArtScale&) = delete;

    static int ratio();

private:
    int previous_;
};

// A picture of the given logical size with ratio x ratio pixels for each logical one;
// a painter on it draws in logical pixels. Not filled.
QImage artCanvas(QSize logical, QImage::Format format);
inline QImage artCanvas(int width, int height, QImage::Format format) {
    return artCanvas(QSize(width, height), format);
}

// The size of a picture in logical pixels.
QSize logicalSize(const QImage& image);

// The part of a picture under a rectangle given in logical pixels.
QImage cutOut(const QImage& picture, const QRect& logical);

// Draws the part of a texture (a canvas the size of the whole picture) that lies under
// the target rectangle, so plaques and panels cut from one texture join up.
void drawTexturePart(QPainter& painter, const QRectF& target, const QImage& texture);
