#include "ArtResource.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

namespace ArtResource {

namespace {

const QLatin1String kTwinSuffix("@2x");

// Named by its suffix and read by that format only: left to guess, the reader loads
// every image plugin of the toolkit (and their libraries) to ask each about a PNG.
void openByFormat(QImageReader& reader, const QString& path) {
    reader.setFileName(path);
    reader.setFormat(QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
}

} // namespace

QString twinOf(const QString& path) {
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (dot <= slash)
        return path + kTwinSuffix;
    return path.left(dot) + kTwinSuffix + path.mid(dot);
}

int ratio() {
    // The highest ratio of all screens: a window moved onto the sharper screen stays
    // sharp, and on the other one Qt scales the twin down, which looks fine.
    const auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return app && app->devicePixelRatio() > 1.0 ? 2 : 1;
}

QString pathFor(const QString& resource) {
    if (ratio() == 2) {
        const QString twin = twinOf(resource);
        if (QFile::exists(twin))
            return twin;
    }
    return resource;
}

bool isTwin(const QString& path) {
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const QString stem = dot > slash ? path.left(dot) : path;
    return stem.endsWith(kTwinSuffix);
}

QSize logicalSize(const QPixmap& picture) {
    return picture.deviceIndependentSize().toSize();
}

QSize logicalSize(const QString& resource) {
    const QString path = pathFor(resource);
    QImageReader reader;
    openByFormat(reader, path);
    const QSize pixels = reader.size();
    if (!pixels.isValid())
        return {};
    return isTwin(path) ? pixels / 2 : pixels;
}

QPixmap pixmap(const QString& resource) {
    const QString path = pathFor(resource);
    QImageReader reader;
    openByFormat(reader, path);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    // Opaque pictures are held at three bytes a pixel rather than four: the board alone
    // is 9 MiB instead of 12 at twice the pixels, and painting converts as it goes.
    if (!image.hasAlphaChannel())
        image.convertTo(QImage::Format_RGB888);
    image.setDevicePixelRatio(isTwin(path) ? 2 : 1);
    return QPixmap::fromImage(std::move(image), Qt::NoFormatConversion);
}

} // namespace ArtResource
