#include "ImageControl.h"

#include "ArtResource.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageControl::setPicture(const QPixmap& picture) {
    waitingResource_.clear();
    picture_ = picture;
    rebuildShown();
    if (autoSize_ && !picture_.isNull())
        resize(ArtResource::logicalSize(picture_));
    update();
}

void ImageControl::setPictureOnFirstShow(const QString& resource) {
    waitingResource_ = resource;
    if (isVisible())
        setPicture(ArtResource::pixmap(resource));
}

void ImageControl::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A child is shown before its window's own show event and before anything is painted,
    // so the window lays itself out and first appears with the picture in place.
    if (isPictureWaiting())
        setPicture(ArtResource::pixmap(waitingResource_));
}

void ImageControl::setTransparent(bool on) {
    if (transparent_ == on)
        return;
    transparent_ = on;
    rebuildShown();
    update();
}

void ImageControl::setAutoSize(bool on) {
    autoSize_ = on;
    if (autoSize_ && !picture_.isNull())
        resize(ArtResource::logicalSize(picture_));
}

void ImageControl::rebuildShown() {
    shown_ = picture_;
    if (!transparent_ || picture_.isNull())
        return;
    // The four horses of a colour show one picture, and so do the markers: they share
    // one see-through copy instead of making one each.
    const QString cacheName =
        QStringLiteral("ImageControl/see-through/%1").arg(picture_.cacheKey());
    if (QPixmapCache::find(cacheName, &shown_))
        return;
    const QImage image = picture_.toImage();
    const QColor key = image.pixelColor(0, image.height() - 1);
    QBitmap mask = picture_.createMaskFromColor(key, Qt::MaskInColor);
    mask.setDevicePixelRatio(picture_.devicePixelRatio());
    shown_.setMask(mask);
    QPixmapCache::insert(cacheName, shown_);
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (shown_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, shown_);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    pressedInside_ = true;
    emit mousePressed(event->button(), event->position().toPoint());
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint());
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const bool click = pressedInside_ && event->button() == Qt::LeftButton && rect().contains(pos);
    pressedInside_ = false;
    emit mouseReleased(event->button(), pos);
    // The release handler may have hidden or moved this control; the click still counts
    // because it was made where the control was.
    if (click)
        emit clicked();
}

void ImageControl::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    emit pointerEntered();
}

void ImageControl::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit pointerLeft();
}
