#include "ArtCollector.h"

#include "ArtScale.h"

#include <QBuffer>
#include <QImageWriter>

void ArtCollector::image(const QString& resourceName, const QImage& image) {
    items_.push_back({ArtItem::Png, resourceName, image, {}, 0, {}, ArtScale::ratio()});
}

void ArtCollector::jpeg(const QString& resourceName, const QImage& image, int quality) {
    items_.push_back({ArtItem::Jpeg, resourceName, image, {}, quality, {}, ArtScale::ratio()});
}

void ArtCollector::cursor(const QString& cursorName, const QImage& image, QPoint hotSpot) {
    items_.push_back({ArtItem::Cursor, cursorName, image, hotSpot, 0, {}, ArtScale::ratio()});
}

void ArtCollector::runFile(const QString& fileName, const QByteArray& bytes) {
    items_.push_back({ArtItem::RunFile, fileName, {}, {}, 0, bytes, 1});
}

const ArtItem* ArtCollector::find(const QString& name, int ratio) const {
    for (const ArtItem& item : items_)
        if (item.name == name && item.ratio == ratio)
            return &item;
    return nullptr;
}

QString ArtItem::resourcePath() const {
    QString path = name;
    if (kind == RunFile)
        return {};
    if (kind == Cursor)
        path = QStringLiteral("cursors/%1.png").arg(name);
    return nameAtRatio(path, ratio);
}

QString nameAtRatio(const QString& path, int ratio) {
    if (ratio == 1)
        return path;
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return path.left(dot) + QStringLiteral("@%1x").arg(ratio) + path.mid(dot);
}

bool ArtItem::drawnAtItsRatio() const {
    return kind == RunFile || qRound(image.devicePixelRatio()) == ratio;
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
    for (int ratio : {1, 2}) {
        const ArtScale scale(ratio);
        renderBoardArt(sink);
        renderDialogArt(sink);
        renderStartupArt(sink);
        renderCursors(sink);
    }
    // The desktop's icon theme holds the icon drawn at each of its sizes and picks the
    // larger ones on a high-density screen by itself: no twins there.
    renderAppIcons(sink);
    renderSounds(sink);
}
