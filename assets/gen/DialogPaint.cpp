#include "DialogPaint.h"
#include "ArtScale.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace DialogPaint {

QColor buttonTeal() {
    return QColor(0x2F, 0x76, 0x80);
}
QColor buttonGreen() {
    return Palette::colour(2);
}
QColor buttonBrightGreen() {
    return QColor(0x3B, 0xC0, 0x55);
}

QFont font(const QString& family, int pixelSize, bool bold) {
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferVerticalHinting);
    return f;
}

namespace {

QPainterPath rounded(const QRectF& r, double radius) {
    QPainterPath path;
    if (radius > 0)
        path.addRoundedRect(r, radius, radius);
    else
        path.addRect(r);
    return path;
}

} // namespace

void paintBevelFace(QPainter& p, const QRectF& r, const QColor& base, double radius, double bevel) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(base.darker(230));
    p.drawPath(rounded(r, radius));

    const QRectF rim = r.adjusted(1, 1, -1, -1);
    QLinearGradient light(rim.topLeft(), rim.bottomRight());
    light.setColorAt(0.0, base.lighter(175));
    light.setColorAt(0.48, base.lighter(120));
    light.setColorAt(0.52, base.darker(125));
    light.setColorAt(1.0, base.darker(175));
    p.setBrush(light);
    p.drawPath(rounded(rim, qMax(0.0, radius - 1)));

    const QRectF inner = rim.adjusted(bevel, bevel, -bevel, -bevel);
    QLinearGradient field(inner.topLeft(), inner.bottomLeft());
    field.setColorAt(0.0, base.lighter(112));
    field.setColorAt(1.0, base.darker(108));
    p.setBrush(field);
    p.drawPath(rounded(inner, qMax(0.0, radius - 1 - bevel)));
    p.restore();
}

void paintText(QPainter& p, const QRectF& r, int flags, const QString& text, const QFont& font,
               const QColor& colour) {
    p.save();
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(r.translated(1, 1), flags, text);
    p.setPen(colour);
    p.drawText(r, flags, text);
    p.restore();
}

void paintButton(QPainter& p, const QRectF& r, const QString& label, const QColor& base) {
    const QRectF body = r.adjusted(1, 1, -1, -1);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Soft shadow under the button.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(body.translated(1, 1.5), 7, 7);
    paintBevelFace(p, body.adjusted(0, 0, -1, -1), base, 6, 2);
    // A glossy upper half.
    const QRectF gloss = body.adjusted(4, 3, -5, -body.height() / 2);
    QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
    shine.setColorAt(0.0, QColor(255, 255, 255, 70));
    shine.setColorAt(1.0, QColor(255, 255, 255, 8));
    p.setBrush(shine);
    p.drawRoundedRect(gloss, 4, 4);
    p.restore();
    paintText(p, body.adjusted(0, 0, -1, -1), Qt::AlignCenter, label, sans(14, true),
              QColor(255, 255, 255));
}

void paintWell(QPainter& p, const QRectF& controlRect, const QColor& face) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF well = controlRect.adjusted(-3, -3, 3, 3);
    QLinearGradient edge(well.topLeft(), well.bottomRight());
    edge.setColorAt(0.0, face.darker(170));
    edge.setColorAt(1.0, face.lighter(150));
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawRoundedRect(well, 3, 3);
    p.setBrush(face.darker(140));
    p.drawRoundedRect(well.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
    p.restore();
}

QImage tealFace(int width, int height) {
    QImage face = artCanvas(width, height, QImage::Format_RGB32);
    face.fill(Palette::teal.darker(200));
    QPainter p(&face);
    paintBevelFace(p, QRectF(0, 0, width, height), Palette::teal, 0, 4);
    // A fine inner line a little way in, like the pressed edge of a printed card.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 38), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(7.5, 7.5, width - 15, height - 15), 4, 4);
    return face;
}

QImage buttonPicture(const QImage& plainFace, const QPoint& at, const QSize& size, int faceHeight,
                     const QString& label, const QColor& base) {
    QImage picture = cutOut(plainFace, QRect(at, size)).convertToFormat(QImage::Format_RGB32);
    QPainter p(&picture);
    paintButton(p, QRectF(0, 0, size.width(), faceHeight), label, base);
    return picture;
}

} // namespace DialogPaint
