#include "ArtResource.h"

#include <QFile>
#include <QGuiApplication>

namespace ArtResource {

namespace {

const QLatin1String kTwinSuffix("@2x");

QString twinOf(const QString& resource) {
    const int dot = resource.lastIndexOf(QLatin1Char('.'));
    const int slash = resource.lastIndexOf(QLatin1Char('/'));
    if (dot <= slash)
        return resource + kTwinSuffix;
    return resource.left(dot) + kTwinSuffix + resource.mid(dot);
}

} // namespace

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

QPixmap pixmap(const QString& resource) {
    const QString path = pathFor(resource);
    QPixmap picture(path);
    if (!picture.isNull())
        picture.setDevicePixelRatio(isTwin(path) ? 2 : 1);
    return picture;
}

} // namespace ArtResource
