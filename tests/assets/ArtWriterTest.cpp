#include "ArtWriter.h"
#include "ArtTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ArtCollector smallSet() {
    ensureGuiApp();
    ArtCollector art;
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    art.image(QStringLiteral("art/sub/red.png"), picture);
    art.jpeg(QStringLiteral("art/red.jpg"), picture, 90);
    art.cursor(QStringLiteral("CURSOR_TEST"), picture, QPoint(3, 2));
    art.runFile(QStringLiteral("beep.wav"), QByteArray("RIFF....", 8));
    return art;
}

TEST(ArtWriter, WritesResourcesWithTheirListAndRunFilesApart) {
    QTemporaryDir out, run;
    ArtWriter writer(out.path(), run.path());
    ASSERT_TRUE(writer.write(smallSet())) << writer.error().toStdString();

    const QImage red(out.path() + "/art/sub/red.png");
    EXPECT_EQ(red.size(), QSize(4, 3));
    EXPECT_EQ(red.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(QImage(out.path() + "/art/red.jpg").size(), QSize(4, 3));
    EXPECT_EQ(readAll(out.path() + "/cursors/CURSOR_TEST.hotspot"), QByteArray("3 2\n"));
    EXPECT_FALSE(QImage(out.path() + "/cursors/CURSOR_TEST.png").isNull());
    EXPECT_EQ(readAll(run.path() + "/beep.wav"), QByteArray("RIFF....", 8));
    EXPECT_FALSE(QFile::exists(out.path() + "/beep.wav"));

    const QByteArray qrc = readAll(out.path() + "/" + ArtWriter::qrcFileName());
    for (const char* listed :
         {"<file>art/sub/red.png</file>", "<file>art/red.jpg</file>",
          "<file>cursors/CURSOR_TEST.png</file>", "<file>cursors/CURSOR_TEST.hotspot</file>"})
        EXPECT_TRUE(qrc.contains(listed)) << listed;
    EXPECT_FALSE(qrc.contains("beep.wav"));
}

TEST(ArtWriter, WritingTheSameArtAgainGivesTheSameFiles) {
    QTemporaryDir out, run;
    ArtWriter writer(out.path(), run.path());
    ASSERT_TRUE(writer.write(smallSet()));
    const QByteArray first = readAll(out.path() + "/art/sub/red.png");
    ASSERT_TRUE(writer.write(smallSet()));
    EXPECT_EQ(readAll(out.path() + "/art/sub/red.png"), first);
}

// A build must stop when a picture cannot be written, not carry on with a stale set.
TEST(ArtWriter, ReportsAFolderItCannotWriteInto) {
    QTemporaryDir scratch;
    QFile blocker(scratch.path() + "/not-a-folder");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ArtWriter writer(blocker.fileName(), scratch.path());
    EXPECT_FALSE(writer.write(smallSet()));
    EXPECT_TRUE(writer.error().contains(QStringLiteral("not-a-folder")));
}

} // namespace
