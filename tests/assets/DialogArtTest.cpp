#include "ArtCollector.h"
#include "Palette.h"

#include <QGuiApplication>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

namespace {

// Lettering needs a GUI application; the tests run without a screen. Kept here rather
// than shared so this file builds on its own.
void needGui() {
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "dialog_art_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

ArtCollector renderDialogFamilies() {
    needGui();
    ArtCollector art;
    renderDialogArt(art);
    renderStartupArt(art);
    renderCursors(art);
    renderSounds(art);
    return art;
}

const ArtCollector& art() {
    static const ArtCollector once = renderDialogFamilies();
    return once;
}

const ArtItem& item(const QString& name) {
    const ArtItem* found = art().find(name);
    if (!found)
        throw std::runtime_error("missing " + name.toStdString());
    return *found;
}

int colourDistance(QRgb a, const QColor& b) {
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) +
           std::abs(qBlue(a) - b.blue());
}

double meanLuminance(const QImage& image, const QRect& area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            sum += (0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c)) / 255.0;
        }
    return sum / (area.width() * area.height());
}

TEST(DialogArt, EveryPictureHasTheSizeItsWindowExpects) {
    const std::map<QString, QSize> sizes = {
        {"art/msgbox/imgBackground.png", {440, 260}},
        {"art/msgbox/btnOkUnselected.png", {80, 36}},
        {"art/msgbox/btnOkSelected.png", {80, 36}},
        {"art/msgbox/btnYesUnselected.png", {80, 36}},
        {"art/msgbox/btnYesSelected.png", {80, 36}},
        {"art/msgbox/btnNoUnselected.png", {80, 36}},
        {"art/msgbox/btnNoSelected.png", {80, 36}},
        {"art/config/imgConfiguration.png", {320, 260}},
        {"art/config/OkSEL.png", {80, 36}},
        {"art/config/CancelSEL.png", {80, 36}},
        {"art/config/imgCheckBoxChecked.png", {13, 13}},
        {"art/config/imgCheckBoxUnchecked.png", {13, 13}},
        {"art/cdplayer/imgBackground.png", {150, 220}},
        {"art/about/imgBackground.png", {440, 260}},
        {"art/about/OkSEL.png", {80, 36}},
        {"art/about/imgAfas.png", {123, 38}},
        {"art/splash.jpg", {466, 331}},
        {"art/icon.png", {64, 64}},
    };
    std::set<QString> pictures;
    for (const ArtItem& i : art().items())
        if (i.kind == ArtItem::Png || i.kind == ArtItem::Jpeg)
            pictures.insert(i.name);
    for (const auto& [name, size] : sizes) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(pictures.count(name));
        EXPECT_EQ(item(name).image.size(), size);
    }
    // A misspelt resource name would leave the window without its picture.
    EXPECT_EQ(pictures.size(), sizes.size());
    EXPECT_EQ(item("art/splash.jpg").kind, ArtItem::Jpeg);
    EXPECT_GE(item("art/splash.jpg").quality, 80);
}

TEST(DialogArt, HighlightedButtonsSitOnTheGroundOfThePlainFace) {
    // The highlight replaces the plain button; a ground of another colour would show as a
    // box around the lit button.
    struct Case {
        const char* face;
        const char* highlight;
        QPoint at;
    };
    const Case cases[] = {
        {"art/config/imgConfiguration.png", "art/config/OkSEL.png", {224, 168}},
        {"art/config/imgConfiguration.png", "art/config/CancelSEL.png", {224, 210}},
        {"art/about/imgBackground.png", "art/about/OkSEL.png", {352, 216}},
        {"art/msgbox/imgBackground.png", "art/msgbox/btnYesSelected.png", {133, 212}},
        {"art/msgbox/imgBackground.png", "art/msgbox/btnNoUnselected.png", {229, 212}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.highlight);
        const QImage& face = item(c.face).image;
        const QImage& lit = item(c.highlight).image;
        for (const QPoint corner : {QPoint(0, 0), QPoint(79, 0), QPoint(0, 34), QPoint(79, 34)})
            EXPECT_LE(colourDistance(lit.pixel(corner), face.pixelColor(c.at + corner)), 12)
                << corner.x() << "," << corner.y();
        // ... while the button itself changes.
        EXPECT_NE(lit, face.copy(QRect(c.at, lit.size())));
    }
}

TEST(DialogArt, SelectedAnswerButtonsAreGreenAndPlainOnesTeal) {
    for (const char* answer : {"Ok", "Yes", "No"}) {
        SCOPED_TRACE(answer);
        const QString base = QStringLiteral("art/msgbox/btn") + QLatin1String(answer);
        const QRgb plain = item(base + "Unselected.png").image.pixel(8, 26);
        const QRgb lit = item(base + "Selected.png").image.pixel(8, 26);
        EXPECT_GT(qGreen(lit), qBlue(lit) + 30);
        EXPECT_GT(qBlue(plain), qRed(plain) + 30);
        EXPECT_NE(item(base + "Unselected.png").image, item(base + "Selected.png").image);
    }
    EXPECT_NE(item("art/config/imgCheckBoxChecked.png").image,
              item("art/config/imgCheckBoxUnchecked.png").image);
}

TEST(DialogArt, CdDisplayIsLightEnoughForBlackLabels) {
    const QImage& cd = item("art/cdplayer/imgBackground.png").image;
    EXPECT_GT(meanLuminance(cd, QRect(10, 16, 130, 82)), 0.75);
    // The button faces below stay darker, so the panel reads as a screen.
    EXPECT_LT(meanLuminance(cd, QRect(6, 109, 137, 101)), 0.5);
}

TEST(DialogArt, SettingsHorsesFollowTheOrderOfPlay) {
    const QImage& dialog = item("art/config/imgConfiguration.png").image;
    const int listTops[] = {88, 130, 173, 216};
    for (int colour = 1; colour <= 4; ++colour) {
        SCOPED_TRACE(colour);
        int matching = 0;
        for (int y = listTops[colour - 1] - 6; y < listTops[colour - 1] + 27; ++y)
            for (int x = 30; x < 84; ++x)
                if (colourDistance(dialog.pixel(x, y), Palette::colour(colour)) < 60)
                    ++matching;
        EXPECT_GT(matching, 150);
    }
}

struct Wave {
    quint16 format = 0, channels = 0, bits = 0, blockAlign = 0;
    quint32 rate = 0, byteRate = 0;
    std::vector<qint16> samples;
    bool riffSizeMatches = false;
};

Wave parseWave(const QByteArray& bytes) {
    Wave w;
    const auto u32 = [&bytes](int at) {
        return qFromLittleEndian<quint32>(bytes.constData() + at);
    };
    const auto u16 = [&bytes](int at) {
        return qFromLittleEndian<quint16>(bytes.constData() + at);
    };
    if (bytes.size() < 12 || bytes.left(4) != "RIFF" || bytes.mid(8, 4) != "WAVE")
        return w;
    w.riffSizeMatches = u32(4) == quint32(bytes.size() - 8);
    int at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(at + 4);
        const int body = at + 8;
        if (body + qint64(size) > bytes.size())
            break;
        if (id == "fmt " && size >= 16) {
            w.format = u16(body);
            w.channels = u16(body + 2);
            w.rate = u32(body + 4);
            w.byteRate = u32(body + 8);
            w.blockAlign = u16(body + 12);
            w.bits = u16(body + 14);
        } else if (id == "data") {
            for (quint32 i = 0; i + 1 < size; i += 2)
                w.samples.push_back(qFromLittleEndian<qint16>(bytes.constData() + body + i));
        }
        at = body + int(size) + int(size & 1);
    }
    return w;
}

TEST(DialogArt, SoundsAreSixteenBitPcmOfTheRightLengthAndLevel) {
    struct Case {
        const char* name;
        double minMs, maxMs;
    };
    for (const Case& c : {Case{"movehorse.wav", 120, 200}, Case{"killhorse.wav", 400, 600}}) {
        SCOPED_TRACE(c.name);
        const ArtItem& sound = item(c.name);
        ASSERT_EQ(sound.kind, ArtItem::RunFile);
        const Wave w = parseWave(sound.bytes);
        EXPECT_TRUE(w.riffSizeMatches);
        EXPECT_EQ(w.format, 1);
        EXPECT_TRUE(w.channels == 1 || w.channels == 2);
        EXPECT_EQ(w.rate, 44100u);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.blockAlign, w.channels * 2);
        EXPECT_EQ(w.byteRate, w.rate * w.blockAlign);
        ASSERT_GT(w.channels, 0);
        const double ms = 1000.0 * w.samples.size() / w.channels / 44100.0;
        EXPECT_GE(ms, c.minMs);
        EXPECT_LE(ms, c.maxMs);

        int peak = 0;
        for (qint16 s : w.samples)
            peak = std::max(peak, std::abs(int(s)));
        const double dbfs = 20.0 * std::log10(peak / 32768.0);
        EXPECT_NEAR(dbfs, -6.0, 1.0);
        // No click at either end: the sound starts and stops at silence.
        ASSERT_FALSE(w.samples.empty());
        EXPECT_LT(std::abs(int(w.samples.front())), 200);
        EXPECT_LT(std::abs(int(w.samples.back())), 200);
    }
}

TEST(DialogArt, ParserRejectsDamagedWaves) {
    const QByteArray good = item("movehorse.wav").bytes;
    EXPECT_FALSE(parseWave(good.left(good.size() - 10)).riffSizeMatches);
    EXPECT_TRUE(parseWave(QByteArray("RIFX") + good.mid(4)).samples.empty());
}

TEST(DialogArt, TheTwentyCursorsHaveTheirHotSpotsOnTheirShapes) {
    // Split cursors have their hot spot in the gap between the two bars.
    const std::map<QString, bool> opaqueHotSpot = {
        {"CURSOR_ARROW", true},     {"CURSOR_CROSS", true},    {"CURSOR_IBEAM", true},
        {"CURSOR_SIZEALL", true},   {"CURSOR_SIZENESW", true}, {"CURSOR_SIZENS", true},
        {"CURSOR_SIZENWSE", true},  {"CURSOR_SIZEWE", true},   {"CURSOR_UPARROW", true},
        {"CURSOR_HOURGLASS", true}, {"CURSOR_DRAG", true},     {"CURSOR_NODROP", true},
        {"CURSOR_HSPLIT", false},   {"CURSOR_VSPLIT", false},  {"CURSOR_MULTIDRAG", true},
        {"CURSOR_SQLWAIT", true},   {"CURSOR_NO", true},       {"CURSOR_APPSTART", true},
        {"CURSOR_HELP", true},      {"CURSOR_HANDPOINT", true}};
    std::vector<const ArtItem*> cursors;
    for (const ArtItem& i : art().items())
        if (i.kind == ArtItem::Cursor)
            cursors.push_back(&i);
    EXPECT_EQ(cursors.size(), opaqueHotSpot.size());
    for (const ArtItem* c : cursors) {
        SCOPED_TRACE(c->name.toStdString());
        ASSERT_TRUE(opaqueHotSpot.count(c->name));
        EXPECT_EQ(c->image.size(), QSize(32, 32));
        EXPECT_TRUE(c->image.hasAlphaChannel());
        ASSERT_TRUE(c->image.rect().contains(c->hotSpot));
        if (opaqueHotSpot.at(c->name)) {
            EXPECT_GT(qAlpha(c->image.pixel(c->hotSpot)), 200);
        }
        // See-through corners: a cursor is a shape, not a tile.
        EXPECT_EQ(qAlpha(c->image.pixel(31, 0)), 0);
        for (const ArtItem* other : cursors)
            if (other != c) {
                EXPECT_NE(other->image, c->image) << other->name.toStdString();
            }
    }
}

TEST(DialogArt, HandPointsWithTheTipOfItsFinger) {
    const ArtItem& hand = item("CURSOR_HANDPOINT");
    const QImage& image = hand.image;
    // Nothing opaque above the tip, and the finger goes on straight down from it.
    for (int y = 0; y < hand.hotSpot.y(); ++y)
        EXPECT_LT(qAlpha(image.pixel(hand.hotSpot.x(), y)), 60) << y;
    EXPECT_GT(qAlpha(image.pixel(hand.hotSpot)), 200);
    for (int y = hand.hotSpot.y() + 1; y < hand.hotSpot.y() + 10; ++y)
        EXPECT_EQ(qAlpha(image.pixel(hand.hotSpot.x(), y)), 255) << y;
}

TEST(DialogArt, RenderingTwiceGivesTheSameBytes) {
    const ArtCollector again = renderDialogFamilies();
    ASSERT_EQ(again.items().size(), art().items().size());
    for (std::size_t i = 0; i < again.items().size(); ++i) {
        const ArtItem& a = art().items()[i];
        const ArtItem& b = again.items()[i];
        SCOPED_TRACE(a.name.toStdString());
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.hotSpot, b.hotSpot);
        EXPECT_EQ(a.bytes, b.bytes);
        EXPECT_EQ(ArtCollector::encode(a), ArtCollector::encode(b));
    }
}

} // namespace
