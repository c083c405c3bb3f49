#include "PaintKit.h"

#include "ArtScale.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace PaintKit {

namespace {

quint32 hash(qint32 x, qint32 y, quint32 seed) {
    quint32 h = seed * 0x9E3779B1u ^ quint32(x) * 0x85EBCA77u ^ quint32(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double unitHash(qint32 x, qint32 y, quint32 seed) {
    return (hash(x, y, seed) & 0xFFFFFF) / 16777215.0;
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

int channel(double v) {
    return std::clamp(int(std::lround(v)), 0, 255);
}

QColor mixColour(const QColor& a, const QColor& b, double t) {
    return QColor(channel(a.red() + (b.red() - a.red()) * t),
                  channel(a.green() + (b.green() - a.green()) * t),
                  channel(a.blue() + (b.blue() - a.blue()) * t));
}

// One horizontal then one vertical running-sum pass of a box of 2r+1 pixels.
void boxPass(std::vector<double>& plane, int w, int h, int r, bool horizontal) {
    const int len = horizontal ? w : h;
    const int lines = horizontal ? h : w;
    std::vector<double> line(len);
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> double& {
            return horizontal ? plane[size_t(l) * w + i] : plane[size_t(i) * w + l];
        };
        for (int i = 0; i < len; ++i)
            line[i] = at(i);
        double sum = 0;
        for (int i = -r; i <= r; ++i)
            sum += line[std::clamp(i, 0, len - 1)];
        for (int i = 0; i < len; ++i) {
            at(i) = sum / (2 * r + 1);
            sum += line[std::clamp(i + r + 1, 0, len - 1)] - line[std::clamp(i - r, 0, len - 1)];
        }
    }
}

} // namespace

double valueNoise(double x, double y, quint32 seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = qint32(fx), iy = qint32(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = unitHash(ix, iy, seed), b = unitHash(ix + 1, iy, seed);
    const double c = unitHash(ix, iy + 1, seed), d = unitHash(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

void blur(QImage& image, int radius) {
    if (radius < 1 || image.isNull())
        return;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width(), h = image.height();
    for (int ch = 0; ch < 4; ++ch) {
        std::vector<double> plane(size_t(w) * h);
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < w; ++x)
                plane[size_t(y) * w + x] = (row[x] >> (ch * 8)) & 0xFF;
        }
        for (int pass = 0; pass < 3; ++pass) {
            boxPass(plane, w, h, radius, true);
            boxPass(plane, w, h, radius, false);
        }
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const quint32 v = quint32(channel(plane[size_t(y) * w + x]));
                row[x] = (row[x] & ~(0xFFu << (ch * 8))) | (v << (ch * 8));
            }
        }
    }
}

void dropShadow(QPainter& painter, const QPainterPath& shape, QPointF offset, double blurRadius,
                QColor colour) {
    const int margin = int(std::ceil(blurRadius * 2)) + 2;
    const QRect bounds =
        shape.boundingRect().toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage mask = artCanvas(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter m(&mask);
        m.setRenderHint(QPainter::Antialiasing);
        m.translate(-bounds.topLeft());
        m.fillPath(shape, colour);
    }
    blur(mask, std::max(1, int(std::lround(blurRadius / 1.7 * ArtScale::ratio()))));
    painter.drawImage(QPointF(bounds.topLeft()) + offset, mask);
}

// The logical coordinate of a pixel's centre, so every ratio samples the same pattern.
double logical(int pixel, int ratio) {
    return (pixel + 0.5) / ratio - 0.5;
}

QImage woodTexture(QSize size, QColor light, QColor dark, quint32 seed, bool vertical) {
    QImage img = artCanvas(size, QImage::Format_RGB32);
    const int r = ArtScale::ratio();
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const double lx = logical(x, r), ly = logical(y, r);
            const double along = vertical ? ly : lx, across = vertical ? lx : ly;
            // Long wavy streaks across the grain, with finer fibres on top.
            const double warp = valueNoise(along * 0.006, across * 0.03, seed) * 9.0;
            const double rings = 0.5 + 0.5 * std::sin((across + warp) * 0.55);
            const double fibre = valueNoise(along * 0.08, across * 0.9, seed + 7);
            const double patch = valueNoise(along * 0.01, across * 0.02, seed + 13);
            const double t = 0.45 * std::pow(rings, 3.0) + 0.25 * fibre + 0.3 * patch;
            row[x] = mixColour(light, dark, std::clamp(t, 0.0, 1.0)).rgb();
        }
    }
    return img;
}

QImage paperTexture(QSize size, QColor colour, quint32 seed) {
    QImage img = artCanvas(size, QImage::Format_RGB32);
    const int r = ArtScale::ratio();
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const double lx = logical(x, r), ly = logical(y, r);
            const double cloud = valueNoise(lx * 0.04, ly * 0.04, seed) - 0.5;
            const double fibre = valueNoise(lx * 0.5, ly * 0.12, seed + 3) - 0.5;
            // One speck for each logical pixel.
            const double speck = unitHash(x / r, y / r, seed + 5) - 0.5;
            const double d = cloud * 7.0 + fibre * 4.0 + speck * 3.0;
            row[x] = qRgb(channel(colour.red() + d), channel(colour.green() + d),
                          channel(colour.blue() + d * 1.2));
        }
    }
    return img;
}

QFont font(const QString& family, double pixelSize, bool bold) {
    QFont f(family);
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferVerticalHinting);
    return f;
}

QFont fittedLabelFont(const QString& text, double maxWidth, double maxPixels) {
    for (int px = int(maxPixels); px > 6; --px) {
        const QFont f = font(QStringLiteral("DejaVu Sans"), px, true);
        if (QFontMetricsF(f).horizontalAdvance(text) <= maxWidth)
            return f;
    }
    return font(QStringLiteral("DejaVu Sans"), 6, true);
}

void engravedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                  QColor colour, double depth) {
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 150));
    painter.drawText(box.translated(depth, depth), Qt::AlignCenter, text);
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

void plaque(QPainter& painter, const QRectF& box, double radius, double scale, const QImage& wood) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(box, radius, radius);
    dropShadow(painter, shape, QPointF(1.2 * scale, 1.5 * scale), 1.6 * scale,
               QColor(0, 0, 0, 150));
    painter.setClipPath(shape);
    drawTexturePart(painter, box, wood);
    // A gentle sheen: brighter at the top, darker at the bottom.
    QLinearGradient sheen(box.topLeft(), box.bottomLeft());
    sheen.setColorAt(0.0, QColor(255, 240, 220, 60));
    sheen.setColorAt(0.45, QColor(255, 240, 220, 0));
    sheen.setColorAt(1.0, QColor(0, 0, 0, 70));
    painter.fillRect(box, sheen);
    painter.setClipping(false);
    // Bevel: a lit edge at the top left, a shaded one at the bottom right.
    const double bw = std::max(1.0, 1.1 * scale);
    const QRectF inner = box.adjusted(bw / 2, bw / 2, -bw / 2, -bw / 2);
    QLinearGradient edge(box.topLeft(), box.bottomRight());
    edge.setColorAt(0.0, QColor(0xC8, 0x9A, 0x6C, 220));
    edge.setColorAt(0.5, QColor(0x7A, 0x52, 0x34, 160));
    edge.setColorAt(1.0, QColor(0x12, 0x08, 0x04, 230));
    painter.setPen(QPen(QBrush(edge), bw));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(inner, radius - bw / 2, radius - bw / 2);
    painter.restore();
}

} // namespace PaintKit
