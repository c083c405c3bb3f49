#include "ArtSink.h"

#include <QColor>
#include <QPainter>

void renderDialogArt(ArtSink& sink) {
    QImage face(440, 260, QImage::Format_RGB32);
    face.fill(QColor(0x1F, 0x4F, 0x57));
    sink.image(QStringLiteral("art/msgbox/imgBackground.png"), face);
}
