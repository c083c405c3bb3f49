#include "ArtSink.h"

#include <QPainter>

void renderCursors(ArtSink& sink) {
    QImage arrow(32, 32, QImage::Format_ARGB32_Premultiplied);
    arrow.fill(Qt::transparent);
    QPainter p(&arrow);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    const QPointF tip[] = {{1, 1}, {1, 18}, {5.5, 14}, {9, 21}, {11.5, 20}, {8, 13}, {13, 13}};
    p.drawPolygon(tip, 7);
    p.end();
    sink.cursor(QStringLiteral("CURSOR_ARROW"), arrow, QPoint(1, 1));
}
