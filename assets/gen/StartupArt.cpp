#include "ArtSink.h"

#include <QColor>
#include <QPainter>

void renderStartupArt(ArtSink& sink) {
    QImage splash(466, 331, QImage::Format_RGB32);
    splash.fill(QColor(0x1F, 0x4F, 0x57));
    sink.jpeg(QStringLiteral("art/splash.jpg"), splash, 90);
}
