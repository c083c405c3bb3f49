#include "ArtSink.h"
#include "HorseShape.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace {

// The sizes desktops ask of an application icon in the hicolor theme.
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The desktop icon: a red horse's head, as the pieces are drawn, standing out from a
// cream stable disc with a red rim. Drawn at each size rather than scaled down, so the
// smallest keeps whole-pixel outlines and a head that fills the disc.
QImage appIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const bool small = size < 32;
    const double rim = std::max(1.0, s / 16.0);
    const double shadow = small ? 0.0 : s / 48.0;

    const QRectF disc(rim / 2, rim / 2, s - rim - shadow, s - rim - shadow);
    if (shadow > 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawEllipse(disc.translated(shadow, shadow));
    }
    QRadialGradient light(disc.topLeft() + QPointF(disc.width() * 0.3, disc.height() * 0.3),
                          disc.width() * 0.9);
    light.setColorAt(0.0, Palette::squareFill);
    light.setColorAt(1.0, Palette::tint(Palette::colour(4), 0.25));
    // At the smallest sizes a red rim would merge with the red head: a dark one parts them.
    p.setPen(QPen(small ? Palette::outline(4) : Palette::colour(4), rim));
    p.setBrush(light);
    p.drawEllipse(disc);
    if (!small) {
        p.setPen(QPen(Palette::outline(4), std::max(1.0, s / 128.0)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(disc.adjusted(-rim / 2, -rim / 2, rim / 2, rim / 2));
    }

    // The head sits a little low and left, its chest on the rim as the pieces stand.
    const double h = disc.height() * (small ? 0.9 : 0.74);
    const double w = h * 0.84;
    const QRectF head(disc.center().x() - w * 0.52, disc.center().y() - h * 0.5, w, h);
    p.save();
    p.setClipPath([&] {
        QPainterPath inside;
        inside.addEllipse(disc.adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2));
        return inside;
    }());
    if (!small) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawPath(horseHeadPath(head.translated(s / 64.0, s / 50.0)));
    }
    paintHorse(p, head, Palette::colour(4), Palette::outline(4));
    p.restore();
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void renderAppIcons(ArtSink& sink) {
    for (int size : kIconSizes)
        sink.image(QStringLiteral("icons/hicolor/%1x%1/apps/bramidou.png").arg(size),
                   appIcon(size));
}
