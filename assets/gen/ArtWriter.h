#pragma once

#include "ArtCollector.h"

#include <QString>

// Writes the collected art: pictures and cursors under the output folder with a .qrc
// listing them, run files into the run folder. Files whose bytes are unchanged are left
// alone, so an unchanged picture does not trigger a rebuild of the resources.
class ArtWriter {
public:
    ArtWriter(QString outputDir, QString runDir);

    // Returns false, with a message in error(), when a file could not be written.
    bool write(const ArtCollector& art);
    QString error() const { return error_; }

    static QString qrcFileName() { return QStringLiteral("bramidou_assets.qrc"); }

private:
    bool put(const QString& path, const QByteArray& bytes);

    QString outputDir_;
    QString runDir_;
    QString error_;
};
