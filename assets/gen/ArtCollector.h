#pragma once

#include "ArtSink.h"

#include <vector>

// Everything the renderers produce, kept in memory in the order it was made.
struct ArtItem {
    enum Kind { Png, Jpeg, Cursor, RunFile };
    Kind kind;
    QString name; // resource name, cursor name or run file name
    QImage image;
    QPoint hotSpot;
    int quality = 0;
    QByteArray bytes; // run files only
};

class ArtCollector : public ArtSink {
public:
    void image(const QString& resourceName, const QImage& image) override;
    void jpeg(const QString& resourceName, const QImage& image, int quality) override;
    void cursor(const QString& cursorName, const QImage& image, QPoint hotSpot) override;
    void runFile(const QString& fileName, const QByteArray& bytes) override;

    const std::vector<ArtItem>& items() const { return items_; }
    // The item of that name, or nullptr.
    const ArtItem* find(const QString& name) const;

    // The bytes a picture is stored as: PNG without time stamps, or JPEG.
    static QByteArray encode(const ArtItem& item);

private:
    std::vector<ArtItem> items_;
};

// Runs every renderer into the collector.
void renderAllArt(ArtSink& sink);
