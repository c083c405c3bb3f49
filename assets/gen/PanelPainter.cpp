#include "PanelPainter.h"

#include "ArtScale.h"
#include "PaintKit.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

PanelPainter::PanelPainter(int artworkSize)
    : layout_(artworkSize), size_(artworkSize == 640 || artworkSize == 800 ? artworkSize : 1024),
      scale_(size_ / 640.0) {
    walnut_ = PaintKit::woodTexture(QSize(size_, size_ * 3 / 4), Palette::walnutLight,
                                    Palette::walnutDark, 23, false);
}

QRectF PanelPainter::feltRect() const {
    // The felt fills the gap between the last command and the first colour button, and
    // the width of the plaques, so the die lies on it wherever it is shown.
    const QRect quit = layout_.button(QStringLiteral("Bquitter")).rect;
    const QRect jaune = layout_.button(QStringLiteral("BJaune")).rect;
    const double gap = 1.5 * scale_;
    return QRectF(QPointF(quit.left(), quit.bottom() + 1 + gap),
                  QPointF(quit.right() + 1, jaune.top() - gap));
}

void PanelPainter::paint(QPainter& painter, Look look) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintFrame(painter);
    paintFelt(painter);
    for (const PanelButton& b : layout_.buttons())
        paintButton(painter, b, look);
    painter.restore();
}

void PanelPainter::paintFrame(QPainter& painter) const {
    // One sunken tray holds every control of the panel.
    QRectF tray;
    for (const PanelButton& b : layout_.buttons())
        tray = tray.united(QRectF(b.rect));
    tray.adjust(-6 * scale_, -6 * scale_, 5 * scale_, 6 * scale_);
    const double radius = 6 * scale_;
    QPainterPath shape;
    shape.addRoundedRect(tray, radius, radius);
    PaintKit::dropShadow(painter, shape, QPointF(2 * scale_, 2.5 * scale_), 3.5 * scale_,
                         QColor(20, 8, 0, 160));
    painter.save();
    painter.setClipPath(shape);
    drawTexturePart(painter, tray, walnut_);
    painter.fillRect(tray, QColor(0, 0, 0, 70));
    painter.restore();
    QLinearGradient edge(tray.topLeft(), tray.bottomRight());
    edge.setColorAt(0.0, QColor(0xB0, 0x84, 0x5C));
    edge.setColorAt(1.0, QColor(0x1A, 0x0D, 0x06));
    painter.setPen(QPen(QBrush(edge), 1.5 * scale_));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(
        tray.adjusted(0.75 * scale_, 0.75 * scale_, -0.75 * scale_, -0.75 * scale_), radius,
        radius);
}

void PanelPainter::paintFelt(QPainter& painter) const {
    const QRectF felt = feltRect();
    const double radius = 4 * scale_;
    QPainterPath shape;
    shape.addRoundedRect(felt, radius, radius);
    painter.save();
    painter.setClipPath(shape);
    painter.fillRect(felt, Palette::felt);
    // The felt's nap: a faint mottling.
    QImage nap = artCanvas(felt.size().toSize() + QSize(1, 1), QImage::Format_ARGB32_Premultiplied);
    const int r = ArtScale::ratio();
    for (int y = 0; y < nap.height(); ++y)
        for (int x = 0; x < nap.width(); ++x) {
            const double n = PaintKit::valueNoise(((x + 0.5) / r - 0.5) * 0.35,
                                                  ((y + 0.5) / r - 0.5) * 0.35, 31) -
                             0.5;
            const int a = int(std::abs(n) * 40);
            nap.setPixel(x, y, n > 0 ? qRgba(a, a, a, a) : qRgba(0, 0, 0, a));
        }
    painter.drawImage(felt.topLeft(), nap);
    // The inner shadow under the lip of the tray, deepest at the top left.
    QPainterPath rim;
    rim.addRect(felt.adjusted(-20 * scale_, -20 * scale_, 20 * scale_, 20 * scale_));
    rim = rim.subtracted(shape);
    PaintKit::dropShadow(painter, rim, QPointF(1.5 * scale_, 2 * scale_), 3.5 * scale_,
                         QColor(0, 0, 0, 200));
    painter.restore();
    painter.setPen(QPen(QColor(0x10, 0x08, 0x04), 1.0 * scale_));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(felt, radius, radius);
}

void PanelPainter::paintButton(QPainter& painter, const PanelButton& button, Look look) const {
    const QRectF box(button.rect);
    const bool gold = look == Look::Highlighted;
    switch (button.kind) {
    case PanelButton::Text: {
        PaintKit::plaque(painter, box.adjusted(0.5, 0.5, -0.5, -0.5), 3.5 * scale_, scale_,
                         walnut_);
        if (gold) {
            // Under the pointer the plaque warms up a little as well as its label.
            QRadialGradient warm(box.center(), box.width() * 0.55);
            warm.setColorAt(0.0, QColor(0xFF, 0xD0, 0x70, 70));
            warm.setColorAt(1.0, QColor(0xFF, 0xD0, 0x70, 0));
            painter.setPen(Qt::NoPen);
            painter.setBrush(warm);
            painter.drawRoundedRect(
                box.adjusted(1.5 * scale_, 1.5 * scale_, -1.5 * scale_, -1.5 * scale_), 3 * scale_,
                3 * scale_);
        }
        const QFont font =
            PaintKit::fittedLabelFont(button.label, box.width() - 10 * scale_, 12.5 * scale_);
        PaintKit::engravedText(painter, box.translated(0, -0.3 * scale_), button.label, font,
                               gold ? Palette::labelGold : Palette::labelCream, 1.0 * scale_);
        break;
    }
    case PanelButton::Colour:
        paintColourButton(painter, button, look == Look::Lit);
        break;
    case PanelButton::Help:
        paintHelp(painter, box, gold);
        break;
    case PanelButton::Stop:
        paintStop(painter, box, gold);
        break;
    case PanelButton::Minimise:
        paintMinimise(painter, box, gold);
        break;
    }
}

void PanelPainter::paintColourButton(QPainter& painter, const PanelButton& button, bool lit) const {
    const QRectF box = QRectF(button.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor colour = Palette::colour(button.colour);
    const QColor dark = Palette::outline(button.colour);
    const double radius = 3.5 * scale_;
    PaintKit::plaque(painter, box, radius, scale_, walnut_);
    const double gemR = box.height() * 0.3;
    const QPointF gem(box.left() + box.height() * 0.55, box.center().y());
    if (lit) {
        // Lit: the whole plaque glows in its colour, brightest in the middle.
        const QRectF inner = box.adjusted(1.5 * scale_, 1.5 * scale_, -1.5 * scale_, -1.5 * scale_);
        QRadialGradient glow(inner.center(), inner.width() * 0.6);
        glow.setColorAt(0.0, colour.lighter(150));
        glow.setColorAt(0.55, colour.lighter(115));
        glow.setColorAt(1.0, colour);
        painter.setPen(QPen(colour.lighter(170), 1.2 * scale_));
        painter.setBrush(glow);
        painter.drawRoundedRect(inner, radius * 0.8, radius * 0.8);
    }
    QRadialGradient jewel(gem - QPointF(gemR * 0.35, gemR * 0.4), gemR * 1.3);
    jewel.setColorAt(0.0, lit ? QColor(255, 255, 240) : colour.lighter(150));
    jewel.setColorAt(0.5, lit ? colour.lighter(130) : colour);
    jewel.setColorAt(1.0, dark);
    painter.setPen(QPen(lit ? dark : QColor(0x12, 0x08, 0x04), 1.0 * scale_));
    painter.setBrush(jewel);
    painter.drawEllipse(gem, gemR, gemR);

    const QRectF text(gem.x() + gemR, box.top(), box.right() - gem.x() - gemR - 3 * scale_,
                      box.height());
    const QFont font = PaintKit::fittedLabelFont(button.label, text.width(), 13 * scale_);
    if (lit) {
        // On its own colour the label needs a dark ink to stay readable (Jaune above all).
        painter.setFont(font);
        painter.setPen(button.colour == 1 ? dark.darker(130) : QColor(255, 255, 255));
        if (button.colour != 1) {
            painter.save();
            painter.setPen(QColor(0, 0, 0, 140));
            painter.drawText(text.translated(scale_, scale_), Qt::AlignCenter, button.label);
            painter.restore();
        }
        painter.drawText(text, Qt::AlignCenter, button.label);
    } else {
        PaintKit::engravedText(painter, text, button.label, font, Palette::labelCream, scale_);
    }
}

void PanelPainter::paintHelp(QPainter& painter, const QRectF& box, bool highlighted) const {
    const QPointF c = box.center();
    const double r = box.width() / 2 - 2 * scale_;
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    PaintKit::dropShadow(painter, disc, QPointF(1.5 * scale_, 2 * scale_), 2 * scale_,
                         QColor(0, 0, 0, 170));
    painter.save();
    painter.setClipPath(disc);
    drawTexturePart(painter, box, walnut_);
    QRadialGradient dome(c - QPointF(r * 0.4, r * 0.45), r * 1.5);
    dome.setColorAt(0.0, QColor(255, 235, 200, 90));
    dome.setColorAt(0.5, QColor(255, 235, 200, 0));
    dome.setColorAt(1.0, QColor(0, 0, 0, 110));
    painter.fillRect(box, dome);
    painter.restore();
    QLinearGradient rim(box.topLeft(), box.bottomRight());
    rim.setColorAt(0.0, QColor(0xD8, 0xAE, 0x7E));
    rim.setColorAt(1.0, QColor(0x1A, 0x0D, 0x06));
    painter.setPen(QPen(QBrush(rim), 1.6 * scale_));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(c, r - 0.8 * scale_, r - 0.8 * scale_);
    const QFont font = PaintKit::font(QStringLiteral("DejaVu Sans"), r * 1.3, true);
    PaintKit::engravedText(painter, box, QStringLiteral("?"), font,
                           highlighted ? Palette::labelGold : Palette::labelCream, 1.2 * scale_);
}

void PanelPainter::paintStop(QPainter& painter, const QRectF& box, bool highlighted) const {
    const QPointF c = box.center();
    const double r = box.width() / 2 - 2 * scale_;
    const auto octagon = [&c](double radius) {
        QPolygonF poly;
        for (int i = 0; i < 8; ++i) {
            const double a = (22.5 + 45.0 * i) * M_PI / 180.0;
            poly << c + QPointF(std::cos(a) * radius, std::sin(a) * radius);
        }
        return poly;
    };
    QPainterPath sign;
    sign.addPolygon(octagon(r));
    sign.closeSubpath();
    PaintKit::dropShadow(painter, sign, QPointF(1.5 * scale_, 2 * scale_), 2 * scale_,
                         QColor(0, 0, 0, 170));
    QRadialGradient paint(c - QPointF(r * 0.4, r * 0.45), r * 1.6);
    paint.setColorAt(0.0, Palette::stopRed.lighter(130));
    paint.setColorAt(0.6, Palette::stopRed);
    paint.setColorAt(1.0, Palette::stopRed.darker(140));
    painter.setPen(QPen(QColor(0x5A, 0x0C, 0x08), 1.0 * scale_));
    painter.setBrush(paint);
    painter.drawPolygon(octagon(r));
    painter.setPen(QPen(QColor(0xFA, 0xF4, 0xEA), 1.6 * scale_));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(octagon(r - 2.6 * scale_));
    const QFont font = PaintKit::fittedLabelFont(QStringLiteral("STOP"), r * 1.55, r * 0.75);
    PaintKit::engravedText(painter, box, QStringLiteral("STOP"), font,
                           highlighted ? Palette::labelGold : QColor(0xFF, 0xFF, 0xFF),
                           0.8 * scale_);
}

void PanelPainter::paintMinimise(QPainter& painter, const QRectF& box, bool highlighted) const {
    PaintKit::plaque(painter, box.adjusted(0.5, 0.5, -0.5, -0.5), 2 * scale_, scale_ * 0.6,
                     walnut_);
    const double w = box.width();
    const QRectF bar(box.left() + w * 0.25, box.top() + w * 0.62, w * 0.5, std::max(1.5, w * 0.14));
    painter.fillRect(bar.translated(0.6 * scale_, 0.6 * scale_), QColor(0, 0, 0, 150));
    painter.fillRect(bar, highlighted ? Palette::labelGold : Palette::labelCream);
}
