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
    int ratio = 1;    // the device pixel ratio it was drawn for (ArtScale)

    // Where it lands among the resources: the twin drawn for ratio 2 of "art/x.png" is
    // "art/x@2x.png", of cursor NAME "cursors/NAME@2x.png". Empty for run files.
    QString resourcePath() const;
    // A twin whose renderer did not draw at the ratio asked gets no file: the normal
    // picture then serves every screen.
    bool drawnAtItsRatio() const;
};

class ArtCollector : public ArtSink {
public:
    void image(const QString& resourceName, const QImage& image) override;
    void jpeg(const QString& resourceName, const QImage& image, int quality) override;
    void cursor(const QString& cursorName, const QImage& image, QPoint hotSpot) override;
    void runFile(const QString& fileName, const QByteArray& bytes) override;

    const std::vector<ArtItem>& items() const { return items_; }
    // The item of that name drawn for that ratio, or nullptr.
    const ArtItem* find(const QString& name, int ratio = 1) const;

    // The bytes a picture is stored as: PNG without time stamps, or JPEG.
    static QByteArray encode(const ArtItem& item);

private:
    std::vector<ArtItem> items_;
};

// A file's name for a ratio: "dir/x.png" at 1, "dir/x@2x.png" at 2 (Qt's convention).
QString nameAtRatio(const QString& path, int ratio);

// Runs every renderer into the sink: each picture and cursor the program loads at ratio 1,
// then its twin at ratio 2 from the same drawing; the desktop icons and the sounds once.
void renderAllArt(ArtSink& sink);
