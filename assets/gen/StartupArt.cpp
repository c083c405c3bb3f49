#include "ArtScale.h"
#include "ArtSink.h"
#include "DialogPaint.h"
#include "HorseShape.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>

using namespace DialogPaint;

namespace {

// Wood grain from a fixed seed, so the splash is the same picture on every build.
void paintWoodGrain(QPainter& p, const QRectF& r) {
    std::uint32_t state = 0xB0A4Du;
    const auto next = [&state]() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return double(state % 10000) / 10000.0;
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int line = 0; line < 70; ++line) {
        const double y = r.top() + next() * r.height();
        const double wave = 1.5 + next() * 3.0, phase = next() * 6.28;
        QPainterPath grain;
        grain.moveTo(r.left(), y);
        for (double x = r.left(); x <= r.right() + 8; x += 8)
            grain.lineTo(x, y + wave * std::sin(phase + x / (40.0 + 30.0 * next())));
        const bool dark = next() < 0.6;
        p.setPen(QPen(dark ? QColor(0x3A, 0x22, 0x12, 40) : QColor(0xC8, 0x8A, 0x5A, 26),
                      0.6 + next() * 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(grain);
    }
    p.restore();
}

// A stable disc in a light tint of one colour with its horse, lit from the top left.
void paintStable(QPainter& p, QPointF centre, double radius, int colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(centre + QPointF(2.5, 3.5), radius, radius);
    QRadialGradient disc(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
    disc.setColorAt(0.0, Palette::tint(Palette::colour(colour), 0.15));
    disc.setColorAt(1.0, Palette::tint(Palette::colour(colour), 0.55));
    p.setPen(QPen(Palette::outline(colour), 1.5));
    p.setBrush(disc);
    p.drawEllipse(centre, radius, radius);
    p.restore();
    const double h = radius * 1.35;
    const QRectF horse(centre.x() - h * 0.42, centre.y() - h * 0.52, h * 0.84, h);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(horseHeadPath(horse.translated(2, 2.5)));
    p.restore();
    paintHorse(p, horse, Palette::colour(colour), Palette::outline(colour));
}

QImage splash() {
    QImage image = artCanvas(466, 331, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient table(0, 0, 466, 331);
    table.setColorAt(0.0, Palette::tableWood.lighter(112));
    table.setColorAt(1.0, Palette::tableWoodDark);
    const QRect whole(QPoint(0, 0), logicalSize(image));
    p.fillRect(whole, table);
    paintWoodGrain(p, whole);

    // The printed board as a cream card lying on the table.
    const QRectF card(24, 96, 418, 170);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawRoundedRect(card.translated(3, 5), 10, 10);
    QLinearGradient paper(card.topLeft(), card.bottomRight());
    paper.setColorAt(0.0, Palette::squareFill);
    paper.setColorAt(1.0, Palette::boardCream);
    p.setPen(QPen(Palette::squareOutline, 2.0));
    p.setBrush(paper);
    p.drawRoundedRect(card, 10, 10);
    p.setPen(QPen(Palette::squareOutline, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card.adjusted(6, 6, -6, -6), 6, 6);

    for (int colour = 1; colour <= 4; ++colour)
        paintStable(p, QPointF(card.left() + 58 + (colour - 1) * 100.5, card.center().y()), 40,
                    colour);

    paintText(p, QRectF(0, 18, 466, 70), Qt::AlignCenter, QStringLiteral("Les Bramidou"),
              font(QStringLiteral("DejaVu Serif"), 50, true), Palette::labelGold);
    p.setPen(QPen(QColor(0xFF, 0xE2, 0x8A, 120), 1.0));
    p.drawLine(QPointF(90, 84.5), QPointF(376, 84.5));

    paintText(p, QRectF(0, 276, 466, 22), Qt::AlignCenter,
              QString::fromUtf8("Le jeu des petits chevaux"), sans(15), Palette::labelCream);
    paintText(p, QRectF(0, 300, 454, 24), Qt::AlignRight | Qt::AlignVCenter,
              QStringLiteral("Vurmont Soft"), font(QStringLiteral("DejaVu Serif"), 14, true),
              Palette::labelCream);
    p.end();
    return image;
}

// The window icon: the four colours as quarters of a round tile, the horse in the middle.
QImage icon() {
    QImage image = artCanvas(64, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(2, 2, 59, 59);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(tile.translated(1, 1.5), 12, 12);
    QPainterPath shape;
    shape.addRoundedRect(tile, 12, 12);
    p.save();
    p.setClipPath(shape);
    const QPointF c = tile.center();
    const QRectF quarters[] = {{tile.left(), tile.top(), c.x() - tile.left(), c.y() - tile.top()},
                               {c.x(), tile.top(), tile.right() - c.x(), c.y() - tile.top()},
                               {c.x(), c.y(), tile.right() - c.x(), tile.bottom() - c.y()},
                               {tile.left(), c.y(), c.x() - tile.left(), tile.bottom() - c.y()}};
    for (int colour = 1; colour <= 4; ++colour)
        p.fillRect(quarters[colour - 1], Palette::colour(colour));
    QLinearGradient gloss(tile.topLeft(), tile.bottomLeft());
    gloss.setColorAt(0.0, QColor(255, 255, 255, 80));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 0));
    gloss.setColorAt(1.0, QColor(0, 0, 0, 50));
    p.fillRect(tile, gloss);
    p.restore();
    p.setPen(QPen(Palette::ink, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.setPen(QPen(Palette::squareOutline, 1.2));
    p.setBrush(Palette::squareFill);
    p.drawEllipse(c, 19, 19);
    paintHorse(p, QRectF(c.x() - 12, c.y() - 15, 24, 29), Palette::colour(4), Palette::outline(4));
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void renderStartupArt(ArtSink& sink) {
    sink.jpeg(QStringLiteral("art/splash.jpg"), splash(), 90);
    sink.image(QStringLiteral("art/icon.png"), icon());
}
