#include "HorseShape.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTransform>

namespace {

// Drawn once on a 100 x 100 grid and mapped onto the box, so every size comes from
// the same outline.
QPainterPath unitHead() {
    QPainterPath p;
    p.moveTo(14, 100);
    // back of the neck, rising to the crest of the mane
    p.cubicTo(10, 78, 12, 48, 24, 28);
    // the ear
    p.cubicTo(28, 18, 32, 8, 38, 0);
    p.cubicTo(42, 6, 44, 11, 45, 15);
    // forehead and the long nose bridge
    p.cubicTo(60, 15, 74, 24, 84, 38);
    p.cubicTo(92, 48, 98, 56, 99, 63);
    // muzzle, round under the nostril
    p.cubicTo(100, 70, 95, 75, 88, 75);
    // the mouth line
    p.lineTo(80, 73);
    p.cubicTo(77, 76, 73, 78, 68, 77);
    // the jaw curving back to the throat
    p.cubicTo(60, 76, 54, 70, 50, 64);
    p.cubicTo(47, 70, 49, 82, 58, 90);
    // chest down to the base
    p.cubicTo(63, 94, 66, 97, 68, 100);
    p.closeSubpath();
    return p;
}

QTransform toBox(const QRectF& box) {
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width() / 100.0, box.height() / 100.0);
    return t;
}

} // namespace

QPainterPath horseHeadPath(const QRectF& box) {
    return toBox(box).map(unitHead());
}

void paintHorse(QPainter& painter, const QRectF& box, QColor fill, QColor outline) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QTransform t = toBox(box);
    const QPainterPath head = t.map(unitHead());
    const double unit = box.width() / 100.0;

    // Light from the top left: the lit side is a little paler, the far side deeper.
    QLinearGradient body(box.topLeft(), box.bottomRight());
    body.setColorAt(0.0, fill.lighter(125));
    body.setColorAt(0.55, fill);
    body.setColorAt(1.0, fill.darker(125));
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawPath(head);

    // The mane: a darker band along the back of the neck, kept inside the head.
    painter.save();
    painter.setClipPath(head);
    QPainterPath mane;
    mane.moveTo(10, 100);
    mane.cubicTo(6, 76, 8, 46, 22, 24);
    mane.lineTo(36, 22);
    mane.cubicTo(26, 44, 24, 72, 30, 100);
    mane.closeSubpath();
    painter.setBrush(fill.darker(135));
    painter.drawPath(t.map(mane));
    painter.restore();

    // A small highlight on the forehead, where the light strikes.
    QPainterPath shine;
    shine.moveTo(44, 22);
    shine.cubicTo(58, 22, 70, 30, 78, 40);
    painter.setBrush(Qt::NoBrush);
    QColor glint(255, 255, 255, 170);
    painter.setPen(QPen(glint, std::max(0.8, 5.0 * unit), Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(t.map(shine));

    // Eye and nostril: dark enough to read at the smallest size.
    painter.setPen(Qt::NoPen);
    painter.setBrush(outline);
    painter.drawEllipse(t.map(QPointF(56, 36)), std::max(0.9, 5.5 * unit),
                        std::max(0.9, 5.5 * unit));
    painter.drawEllipse(t.map(QPointF(90, 64)), std::max(0.5, 3.0 * unit),
                        std::max(0.5, 3.0 * unit));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(outline, std::max(1.0, 3.2 * unit), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(head);
    painter.restore();
}
