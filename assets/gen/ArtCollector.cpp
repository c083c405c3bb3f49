#include "ArtCollector.h"

#include <QBuffer>
#include <QImageWriter>

void ArtCollector::image(const QString& resourceName, const QImage& image) {
    items_.push_back({ArtItem::Png, resourceName, image, {}, 0, {}});
}

void ArtCollector::jpeg(const QString& resourceName, const QImage& image, int quality) {
    items_.push_back({ArtItem::Jpeg, resourceName, image, {}, quality, {}});
}

void ArtCollector::cursor(const QString& cursorName, const QImage& image, QPoint hotSpot) {
    items_.push_back({ArtItem::Cursor, cursorName, image, hotSpot, 0, {}});
}

void ArtCollector::runFile(const QString& fileName, const QByteArray& bytes) {
    items_.push_back({ArtItem::RunFile, fileName, {}, {}, 0, bytes});
}

const ArtItem* ArtCollector::find(const QString& name) const {
    for (const ArtItem& item : items_)
        if (item.name == name)
            return &item;
    return nullptr;
}

QByteArray ArtCollector::encode(const ArtItem& item) {
    if (item.kind == ArtItem::RunFile)
        return item.bytes;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, item.kind == ArtItem::Jpeg ? "jpeg" : "png");
    if (item.kind == ArtItem::Jpeg)
        writer.setQuality(item.quality);
    QImage image = item.image;
    // Fixed resolution fields, so the file never depends on the screen the build ran on.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    if (!writer.write(image))
        return {};
    return bytes;
}

void renderAllArt(ArtSink& sink) {
    renderBoardArt(sink);
    renderDialogArt(sink);
    renderStartupArt(sink);
    renderAppIcons(sink);
    renderCursors(sink);
    renderSounds(sink);
}
