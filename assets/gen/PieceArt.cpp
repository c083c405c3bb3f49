#include "PieceArt.h"

#include "ArtScale.h"
#include "FloodFill.h"
#include "HorseShape.h"
#include "PaintKit.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <vector>

namespace {

// Room is left round the head for the pale rim of the horses.
QRectF headBox(double size) {
    return QRectF(size * 0.11, size * 0.07, size * 0.78, size * 0.89);
}

// Key pictures are drawn straight onto the grey, so antialiased edges fade toward it. A
// key pixel the ground cannot reach from the edge (inside the piece, or a pocket closed
// by its outline) would show as a pinhole, so it is nudged one step off the key.
void guardKey(QImage& image) {
    const QRgb key = Palette::keyGrey.rgb();
    const int w = image.width(), h = image.height();
    FloodFill ground(image);
    ground.fill(FloodFill::edges(image.size()), image.rect(), [key](QRgb c) { return c == key; });
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!ground.reached(x, y) && image.pixel(x, y) == key)
                image.setPixel(x, y, qRgb(193, 193, 193));
    image.setPixel(0, h - 1, key);
}

QImage keyCanvas(int size) {
    QImage image = artCanvas(size, size, QImage::Format_RGB32);
    image.fill(Palette::keyGrey);
    return image;
}

} // namespace

namespace PieceArt {

QImage horse(int colour, int size) {
    QImage image = keyCanvas(size);
    const QRectF box = headBox(size);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        // A pale rim round the dark outline: a horse on its own colour (its stable, its
        // start square, its home column) would otherwise melt into the ground.
        p.setPen(QPen(Palette::squareFill, std::max(3.0, size * 0.12), Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.setBrush(Palette::squareFill);
        p.drawPath(horseHeadPath(box));
        paintHorse(p, box, Palette::colour(colour), Palette::outline(colour));
    }
    guardKey(image);
    return image;
}

QImage marker(int size) {
    QImage image = keyCanvas(size);
    const double s = size;
    const QRectF tile(0.5, 0.5, s - 1.0, s - 1.0);
    const double radius = s * 0.2;
    QPainterPath shape;
    shape.addRoundedRect(tile, radius, radius);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient body(tile.topLeft(), tile.bottomRight());
        body.setColorAt(0.0, Palette::markerRed.lighter(135));
        body.setColorAt(0.5, Palette::markerRed);
        body.setColorAt(1.0, Palette::markerRed.darker(140));
        p.setPen(QPen(QColor(0x3A, 0x06, 0x06), std::max(1.0, s / 28.0)));
        p.setBrush(body);
        p.drawPath(shape);
        const QRectF head(s * 0.2, s * 0.12, s * 0.6, s * 0.74);
        paintHorse(p, head, QColor(0xFF, 0xFF, 0xFF), QColor(0x2A, 0x10, 0x10));
    }
    guardKey(image);
    return image;
}

int glowMargin(int pieceSize) {
    return int(std::lround(pieceSize * 0.3));
}

QImage glow(int pieceSize) {
    const int side = pieceSize + 2 * glowMargin(pieceSize);
    QImage image = artCanvas(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF c(side / 2.0, side / 2.0);
        // Strongest just outside the piece's square, fading to nothing at the edge; the
        // middle lies under the horse and shows only round its head.
        QRadialGradient light(c, side / 2.0);
        QColor gold(0xFF, 0xC4, 0x30);
        gold.setAlpha(150);
        light.setColorAt(0.0, gold);
        gold.setAlpha(220);
        light.setColorAt(double(pieceSize) / side, gold);
        gold.setAlpha(0);
        light.setColorAt(1.0, gold);
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        p.drawEllipse(c, side / 2.0, side / 2.0);
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage dieFace(const QImage& ground, int face) {
    QImage image = ground.convertToFormat(QImage::Format_RGB32);
    const double w = logicalSize(image).width(), h = logicalSize(image).height();
    const double side = std::min(w, h) * 0.74;
    const QRectF top(w / 2 - side / 2 - side * 0.03, h / 2 - side / 2 - side * 0.04, side, side);
    const double radius = side * 0.17;
    const double depth = side * 0.07;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Body: the lower right sides show below the top face, giving the die its thickness.
    QPainterPath body;
    body.addRoundedRect(top.adjusted(0, 0, depth, depth), radius, radius);
    PaintKit::dropShadow(p, body, QPointF(side * 0.04, side * 0.06), side * 0.06,
                         QColor(0, 0, 0, 190));
    QLinearGradient sideShade(top.topLeft(), top.bottomRight() + QPointF(depth, depth));
    sideShade.setColorAt(0.0, Palette::ivory.darker(112));
    sideShade.setColorAt(1.0, Palette::ivory.darker(150));
    p.setPen(QPen(QColor(0x6A, 0x5E, 0x48), side * 0.012));
    p.setBrush(sideShade);
    p.drawPath(body);

    QRadialGradient face0(top.topLeft() + QPointF(side * 0.25, side * 0.2), side * 1.1);
    face0.setColorAt(0.0, QColor(0xFF, 0xFE, 0xF8));
    face0.setColorAt(0.6, Palette::ivory);
    face0.setColorAt(1.0, Palette::ivory.darker(108));
    p.setPen(QPen(QColor(0x9A, 0x8C, 0x70), side * 0.012));
    p.setBrush(face0);
    p.drawRoundedRect(top, radius, radius);

    // Pips on a 3 x 3 grid; which cells are used depends on the face.
    static const int cells[7][9] = {{0},
                                    {0, 0, 0, 0, 1, 0, 0, 0, 0},
                                    {0, 0, 1, 0, 0, 0, 1, 0, 0},
                                    {0, 0, 1, 0, 1, 0, 1, 0, 0},
                                    {1, 0, 1, 0, 0, 0, 1, 0, 1},
                                    {1, 0, 1, 0, 1, 0, 1, 0, 1},
                                    {1, 0, 1, 1, 0, 1, 1, 0, 1}};
    const int f = (face >= 1 && face <= 6) ? face : 1;
    const double pip = side * 0.09;
    for (int i = 0; i < 9; ++i) {
        if (!cells[f][i])
            continue;
        const QPointF c(top.left() + side * (0.24 + 0.26 * (i % 3)),
                        top.top() + side * (0.24 + 0.26 * (i / 3)));
        // Drilled pips: dark, with a faint light catch at the lower right rim.
        QRadialGradient hole(c + QPointF(pip * 0.35, pip * 0.35), pip * 1.1);
        hole.setColorAt(0.0, QColor(0x3A, 0x34, 0x2C));
        hole.setColorAt(0.7, QColor(0x10, 0x0C, 0x08));
        hole.setColorAt(1.0, QColor(0x05, 0x04, 0x02));
        p.setPen(Qt::NoPen);
        p.setBrush(hole);
        p.drawEllipse(c, pip, pip);
    }
    return image;
}

} // namespace PieceArt
