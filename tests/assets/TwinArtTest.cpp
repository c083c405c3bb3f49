#include "ArtScale.h"
#include "ArtTestSupport.h"
#include "ArtWriter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

// Everything the generator makes, both ratios, rendered once for these tests.
const ArtCollector& allArt() {
    ensureGuiApp();
    static const ArtCollector art = [] {
        ArtCollector a;
        renderAllArt(a);
        return a;
    }();
    return art;
}

QImage pictureOf(const ArtItem& item) {
    if (item.kind == ArtItem::Jpeg)
        return QImage::fromData(ArtCollector::encode(item), "JPEG");
    return item.image;
}

// The mean of each 2 x 2 block, with alpha: what a screen at ratio 1 would make of the
// twin.
QImage halve(const QImage& twin) {
    const QImage src = twin.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.width() / 2, src.height() / 2, QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            int r = 0, g = 0, b = 0, a = 0;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const QRgb p = src.pixel(2 * x + dx, 2 * y + dy);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                    a += qAlpha(p);
                }
            out.setPixel(x, y, qRgba(r / 4, g / 4, b / 4, a / 4));
        }
    return out;
}

struct Difference {
    double mean = 0;     // mean of the largest channel difference per pixel
    double farShare = 0; // share of pixels that differ by more than a quarter of the range
};

Difference compare(const QImage& one, const QImage& other) {
    const QImage a = one.convertToFormat(QImage::Format_ARGB32);
    const QImage b = other.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    int far = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            sum += d;
            far += d > 64;
        }
    const double n = double(a.width()) * a.height();
    return {sum / n, far / n};
}

// How far a halved twin may be from the normal picture. Letters are hinted to the pixel
// grid of each ratio, so short labels on small buttons differ most (a mean of about 9 and
// 5 % of their pixels); a picture moved by two pixels differs by about 28 and 16 %.
constexpr double kSameMean = 12.0;
constexpr double kSameFarShare = 0.07;

// The pictures and cursors the program loads; the desktop's icon theme has its own sizes.
bool loadedByTheProgram(const ArtItem& item) {
    return item.kind != ArtItem::RunFile && !item.name.startsWith(QLatin1String("icons/"));
}

TEST(TwinArt, EveryPictureAndCursorHasATwinOfExactlyTwiceItsSize) {
    int pictures = 0;
    for (const ArtItem& item : allArt().items()) {
        if (!loadedByTheProgram(item) || item.ratio != 1)
            continue;
        SCOPED_TRACE(item.name.toStdString());
        ++pictures;
        const ArtItem* twin = allArt().find(item.name, 2);
        ASSERT_TRUE(twin);
        EXPECT_TRUE(twin->drawnAtItsRatio());
        EXPECT_EQ(twin->kind, item.kind);
        EXPECT_EQ(twin->hotSpot, item.hotSpot); // logical, the same for both
        EXPECT_EQ(pictureOf(*twin).size(), pictureOf(item).size() * 2);
        EXPECT_EQ(logicalSize(twin->image), item.image.size());
    }
    EXPECT_GT(pictures, 80);
}

// The twin is the same drawing with more pixels, not another picture: halved, it gives
// the normal picture back but for the finer edges of lines and letters.
TEST(TwinArt, TwinHalvedMatchesTheNormalPicture) {
    for (const ArtItem& item : allArt().items()) {
        if (!loadedByTheProgram(item) || item.ratio != 1)
            continue;
        SCOPED_TRACE(item.name.toStdString());
        const ArtItem* twin = allArt().find(item.name, 2);
        ASSERT_TRUE(twin);
        const QImage normal = pictureOf(item);
        const QImage halved = halve(pictureOf(*twin));
        ASSERT_EQ(halved.size(), normal.size());
        const Difference d = compare(normal, halved);
        EXPECT_LT(d.mean, kSameMean);
        EXPECT_LT(d.farShare, kSameFarShare);
    }
}

// The comparison does see a picture that is not the same drawing: the board of one size
// against the board shifted by two pixels, and a die face against another.
TEST(TwinArt, ComparisonTellsDifferentPicturesApart) {
    const QImage board = allArt().find(QStringLiteral("art/img640x480.png"))->image;
    const QImage shifted = board.copy(2, 2, board.width(), board.height());
    const Difference moved = compare(board, shifted);
    EXPECT_TRUE(moved.mean >= kSameMean || moved.farShare >= kSameFarShare);
    const QImage one = allArt().find(QStringLiteral("art/Des1_640.png"))->image;
    const QImage six = allArt().find(QStringLiteral("art/Des6_640.png"))->image;
    const Difference faces = compare(one, six);
    EXPECT_TRUE(faces.mean >= kSameMean || faces.farShare >= kSameFarShare);
}

TEST(TwinArt, TwinsAreNamedAfterQtsConvention) {
    ArtItem board{ArtItem::Png, QStringLiteral("art/img640x480.png"), {}, {}, 0, {}, 2};
    EXPECT_EQ(board.resourcePath(), QStringLiteral("art/img640x480@2x.png"));
    board.ratio = 1;
    EXPECT_EQ(board.resourcePath(), QStringLiteral("art/img640x480.png"));
    const ArtItem splash{ArtItem::Jpeg, QStringLiteral("art/splash.jpg"), {}, {}, 90, {}, 2};
    EXPECT_EQ(splash.resourcePath(), QStringLiteral("art/splash@2x.jpg"));
    const ArtItem hand{ArtItem::Cursor, QStringLiteral("CURSOR_HANDPOINT"), {}, {}, 0, {}, 2};
    EXPECT_EQ(hand.resourcePath(), QStringLiteral("cursors/CURSOR_HANDPOINT@2x.png"));
}

// A renderer that makes its own canvas instead of asking for one at the ratio gives a
// twin at the normal size: no file is written for it, so the game falls back to the
// normal picture instead of showing it at half size.
TEST(TwinArt, ATwinDrawnAtTheWrongRatioGetsNoFile) {
    ensureGuiApp();
    ArtCollector art;
    for (int ratio : {1, 2}) {
        const ArtScale scale(ratio);
        QImage careful = artCanvas(4, 3, QImage::Format_RGB32);
        careful.fill(Qt::blue);
        art.image(QStringLiteral("art/careful.png"), careful);
        QImage careless(4, 3, QImage::Format_RGB32);
        careless.fill(Qt::red);
        art.image(QStringLiteral("art/careless.png"), careless);
        art.cursor(QStringLiteral("CURSOR_TEST"), careful, QPoint(1, 2));
    }
    QTemporaryDir out, run;
    ArtWriter writer(out.path(), run.path());
    ASSERT_TRUE(writer.write(art)) << writer.error().toStdString();
    EXPECT_EQ(QImage(out.path() + "/art/careful@2x.png").size(), QSize(8, 6));
    EXPECT_EQ(QImage(out.path() + "/art/careless.png").size(), QSize(4, 3));
    EXPECT_FALSE(QFile::exists(out.path() + "/art/careless@2x.png"));
    EXPECT_EQ(QImage(out.path() + "/cursors/CURSOR_TEST@2x.png").size(), QSize(8, 6));
    EXPECT_TRUE(QFile::exists(out.path() + "/cursors/CURSOR_TEST.hotspot"));
    EXPECT_FALSE(QFile::exists(out.path() + "/cursors/CURSOR_TEST@2x.hotspot"));
}

} // namespace
