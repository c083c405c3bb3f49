#include "ContactSheet.h"

#include "PaintKit.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int sheetWidth = 3200; // the 1024 board and its twin side by side
constexpr int gap = 12;
constexpr int labelHeight = 16;

struct Cell {
    const ArtItem* item;
    QImage picture;
    QString label;
    QRect place;
};

} // namespace

QImage contactSheet(const ArtCollector& art) {
    // Each picture at its own pixels, its high-density twin right after it.
    std::vector<Cell> cells;
    const auto addCell = [&cells](const ArtItem& item) {
        QImage picture = item.image;
        if (item.kind == ArtItem::Jpeg)
            picture = QImage::fromData(ArtCollector::encode(item), "JPEG");
        picture.setDevicePixelRatio(1);
        QString label = item.resourcePath().section(QLatin1Char('/'), -1);
        if (item.kind == ArtItem::Cursor)
            label = QStringLiteral("%1 (%2,%3)")
                        .arg(label.section(QLatin1Char('.'), 0, 0))
                        .arg(item.hotSpot.x())
                        .arg(item.hotSpot.y());
        cells.push_back({&item, picture, label, {}});
    };
    for (const ArtItem& item : art.items()) {
        if (item.kind == ArtItem::RunFile || item.ratio != 1)
            continue;
        addCell(item);
        const ArtItem* twin = art.find(item.name, 2);
        if (twin && twin->drawnAtItsRatio())
            addCell(*twin);
    }

    // Shelf packing: left to right, a new row when the width is used up.
    const QFont font = PaintKit::font(QStringLiteral("DejaVu Sans"), 11, false);
    const QFontMetrics metrics(font);
    int x = gap, y = gap, rowHeight = 0;
    for (Cell& c : cells) {
        const int w = std::max(c.picture.width(), metrics.horizontalAdvance(c.label));
        const int h = c.picture.height() + labelHeight;
        if (x + w > sheetWidth - gap && x > gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        c.place = QRect(x, y, w, h);
        x += w + gap;
        rowHeight = std::max(rowHeight, h);
    }

    QImage sheet(sheetWidth, y + rowHeight + gap, QImage::Format_RGB32);
    sheet.fill(QColor(0xD8, 0xD8, 0xD0));
    QPainter p(&sheet);
    p.setFont(font);
    for (const Cell& c : cells) {
        // Cursors are see-through: a checkerboard shows their edges.
        if (c.item->kind == ArtItem::Cursor) {
            const QRect r(c.place.topLeft(), c.picture.size());
            for (int cy = 0; cy < r.height(); cy += 4)
                for (int cx = 0; cx < r.width(); cx += 4)
                    p.fillRect(r.left() + cx, r.top() + cy, 4, 4,
                               ((cx + cy) / 4) % 2 ? QColor(255, 255, 255) : QColor(150, 150, 150));
        }
        p.drawImage(c.place.topLeft(), c.picture);
        if (c.item->kind == ArtItem::Cursor) {
            const QPoint hs = c.place.topLeft() + c.item->hotSpot * c.item->ratio;
            p.setPen(QColor(255, 0, 0));
            p.drawLine(hs - QPoint(3, 0), hs + QPoint(3, 0));
            p.drawLine(hs - QPoint(0, 3), hs + QPoint(0, 3));
        }
        p.setPen(Qt::black);
        p.drawText(
            QRect(c.place.left(), c.place.top() + c.picture.height(), c.place.width(), labelHeight),
            Qt::AlignLeft | Qt::AlignVCenter, c.label);
    }
    return sheet;
}
