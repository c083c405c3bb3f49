#include "ArtScale.h"

#include <QPainter>

namespace {

int g_ratio = 1;

} // namespace

ArtScale::ArtScale(int ratio) : previous_(g_ratio) {
    g_ratio = ratio >= 1 ? ratio : 1;
}

ArtScale::~ArtScale() {
    g_ratio = previous_;
}

int ArtScale::ratio() {
    return g_ratio;
}

QImage artCanvas(QSize logical, QImage::Format format) {
    const int r = ArtScale::ratio();
    QImage image(logical * r, format);
    image.setDevicePixelRatio(r);
    return image;
}

QSize logicalSize(const QImage& image) {
    return image.deviceIndependentSize().toSize();
}

QImage cutOut(const QImage& picture, const QRect& logical) {
    const double r = picture.devicePixelRatio();
    const QRect pixels(QPoint(int(logical.x() * r), int(logical.y() * r)),
                       QSize(int(logical.width() * r), int(logical.height() * r)));
    return picture.copy(pixels);
}

void drawTexturePart(QPainter& painter, const QRectF& target, const QImage& texture) {
    const double r = texture.devicePixelRatio();
    painter.drawImage(target, texture, QRectF(target.topLeft() * r, target.size() * r));
}
