#include "ArtWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

ArtWriter::ArtWriter(QString outputDir, QString runDir)
    : outputDir_(std::move(outputDir)), runDir_(std::move(runDir)) {}

bool ArtWriter::put(const QString& path, const QByteArray& bytes) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error_ = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    // Written aside and renamed, so an interrupted build never leaves half a picture.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error_ = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool ArtWriter::write(const ArtCollector& art) {
    QStringList resources;
    for (const ArtItem& item : art.items()) {
        if (item.kind == ArtItem::RunFile) {
            if (!put(runDir_ + QLatin1Char('/') + item.name, item.bytes))
                return false;
            continue;
        }
        if (!item.drawnAtItsRatio()) {
            qWarning("bramidou-artgen: %s was not drawn at ratio %d (draw it on artCanvas); "
                     "the normal picture serves every screen",
                     qPrintable(item.name), item.ratio);
            continue;
        }
        const QByteArray bytes = ArtCollector::encode(item);
        if (bytes.isEmpty()) {
            error_ = QStringLiteral("cannot encode %1").arg(item.name);
            return false;
        }
        const QString name = item.resourcePath();
        // The hot spot is in logical pixels, one file for the cursor and its twin.
        if (item.kind == ArtItem::Cursor && item.ratio == 1) {
            const QString hotspot = QStringLiteral("cursors/%1.hotspot").arg(item.name);
            const QByteArray xy =
                QStringLiteral("%1 %2\n").arg(item.hotSpot.x()).arg(item.hotSpot.y()).toLatin1();
            if (!put(outputDir_ + QLatin1Char('/') + hotspot, xy))
                return false;
            resources << hotspot;
        }
        if (!put(outputDir_ + QLatin1Char('/') + name, bytes))
            return false;
        resources << name;
    }
    resources.sort();
    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& r : resources)
        qrc += "  <file>" + r.toUtf8() + "</file>\n";
    qrc += "</qresource>\n</RCC>\n";
    return put(outputDir_ + QLatin1Char('/') + qrcFileName(), qrc);
}
