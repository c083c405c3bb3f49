#pragma once

#include <QPixmap>
#include <QString>

// The one place the program takes its pictures and cursors from the resources. Each has
// a twin with twice the pixels ("x@2x.png", Qt's own convention). When a screen has more
// than one device pixel per logical pixel (a 4K monitor, a laptop at 125 to 200 %), the
// twin is loaded with its device pixel ratio set, so Qt shows it at the picture's logical
// size: as it is at 200 %, scaled down at fractional scales, never a normal picture
// stretched up. Sizes and positions stay in logical pixels either way.
namespace ArtResource {

// 2 when any screen of the application has a device pixel ratio above 1, otherwise 1.
int ratio();

// The resource to read for a picture such as ":/art/splash.jpg": its twin when the
// ratio is 2 and the twin exists, otherwise the picture itself.
QString pathFor(const QString& resource);

// The picture for the screen, its device pixel ratio set; null when it is missing.
QPixmap pixmap(const QString& resource);

// The name of a picture's twin: "images/x.png" gives "images/x@2x.png".
QString twinOf(const QString& path);

// Whether a resource path names a twin.
bool isTwin(const QString& path);

// A picture's size in logical pixels, which is what windows lay out by.
QSize logicalSize(const QPixmap& picture);
// A resource's size in logical pixels from its header alone, without reading the
// picture; empty when it is missing.
QSize logicalSize(const QString& resource);

} // namespace ArtResource
