#include "ArtTestSupport.h"
#include "Palette.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Pixels close to the horses' red: the head as the eye finds it at that size.
bool isHorseRed(QRgb c) {
    const QColor red = Palette::colour(4);
    return qAlpha(c) > 200 && std::abs(qRed(c) - red.red()) < 60 &&
           std::abs(qGreen(c) - red.green()) < 50 && std::abs(qBlue(c) - red.blue()) < 50;
}

class AppIconSizes : public ::testing::TestWithParam<int> {};

// The menu and the icon theme look the icon up by these exact names and sizes; a round
// icon must leave its corners clear, and the head must stay a large, solid part of the
// picture down to 16 pixels, where it has nothing but its shape to be recognised by.
TEST_P(AppIconSizes, IsARoundIconWithTheHeadFillingIt) {
    ensureGuiApp();
    static const ArtCollector art = [] {
        ArtCollector a;
        renderAppIcons(a);
        return a;
    }();
    const int size = GetParam();
    const ArtItem* item =
        art.find(QStringLiteral("icons/hicolor/%1x%1/apps/bramidou.png").arg(size));
    ASSERT_NE(item, nullptr);
    const QImage& icon = item->image;
    ASSERT_EQ(icon.size(), QSize(size, size));
    EXPECT_TRUE(icon.hasAlphaChannel());
    for (QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1)})
        EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);

    int red = 0, headRows = 0;
    for (int y = 0; y < size; ++y) {
        bool rowHasHead = false;
        for (int x = size / 4; x < size * 3 / 4; ++x)
            if (isHorseRed(icon.pixel(x, y))) {
                ++red;
                rowHasHead = true;
            }
        headRows += rowHasHead;
    }
    // The head takes a fifth of the middle half and most of the height.
    EXPECT_GT(red, size * size / 10);
    EXPECT_GT(headRows, size * 6 / 10);
}

INSTANTIATE_TEST_SUITE_P(ThemeSizes, AppIconSizes, ::testing::Values(16, 32, 48, 64, 128, 256));

} // namespace
