#include "LazyPicture.h"

#include "ArtResource.h"

LazyPicture::LazyPicture(const QString& resource) : resource_(resource) {}

const QPixmap& LazyPicture::picture() const {
    if (!read_ && !resource_.isEmpty()) {
        picture_ = ArtResource::pixmap(resource_);
        // A missing picture is not looked for again at every hover.
        read_ = true;
    }
    return picture_;
}

QSize LazyPicture::logicalSize() const {
    if (read_)
        return ArtResource::logicalSize(picture_);
    return resource_.isEmpty() ? QSize() : ArtResource::logicalSize(resource_);
}
