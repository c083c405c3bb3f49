#include "ArtTestSupport.h"
#include "BoardGeometry.h"
#include "BoardPainter.h"
#include "ColourLayout.h"
#include "Palette.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QPointF>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QImage boardPicture(int size) {
    const ArtItem* item =
        boardArt().find(QStringLiteral("art/img%1x%2.png").arg(size).arg(size * 3 / 4));
    return item ? item->image.convertToFormat(QImage::Format_RGB32) : QImage();
}

// A pixel of the stable's disc: its own hue, and far more saturated than the cream
// paper, the hollows or the shadows around the disc. The disc's dark outline counts as
// disc, so only a place that reaches out of the disc fails.
bool isDiscColour(QRgb pixel, int colour) {
    const QColor c(pixel);
    const int hue = Palette::colour(colour).hue();
    const int d = std::abs(c.hue() - hue);
    return c.hsvSaturation() > 90 && std::min(d, 360 - d) <= 22;
}

class StablePlaces : public ::testing::TestWithParam<int> {};

// Walking out from each resting place, away from the middle of the four, the hollow is
// followed by a rim of the disc's colour before anything else: every place lies whole
// inside the disc, and the two outer places keep the same rim.
TEST_P(StablePlaces, LieWholeAndEvenlyInsideTheirDisc) {
    const int size = GetParam();
    const double scale = size / 640.0;
    const QImage board = boardPicture(size);
    ASSERT_FALSE(board.isNull());
    const BoardGeometry geometry(size);
    const double hollow = BoardPainter(size).squareRadius();
    for (int colour = 1; colour <= 4; ++colour) {
        SCOPED_TRACE(Colour::name(colour));
        const ColourLayout& layout = ColourLayout::of(colour);
        QPointF mid;
        for (int k = 1; k <= 4; ++k) {
            const BoardPoint p = geometry.at(layout.stableSquare[k]);
            mid += QPointF(p.x + 0.5, p.y + 0.5) / 4.0;
        }
        std::vector<double> rims;
        for (int k = 1; k <= 4; ++k) {
            SCOPED_TRACE("place " + std::to_string(k));
            const BoardPoint bp = geometry.at(layout.stableSquare[k]);
            const QPointF p(bp.x + 0.5, bp.y + 0.5);
            // All round the place, just beyond its printed outline, lies the disc.
            int outside = 0;
            for (int a = 0; a < 36; ++a) {
                const double angle = a * M_PI / 18;
                const QPointF q =
                    p + QPointF(std::cos(angle), std::sin(angle)) * (hollow + 1.6 * scale);
                outside += !isDiscColour(board.pixel(q.toPoint()), colour);
            }
            EXPECT_EQ(outside, 0);
            // How much disc lies beyond the place, away from the middle: the mean over a fan
            // of rays, so single pixels of the edge's antialiasing do not decide.
            const double away = std::atan2(p.y() - mid.y(), p.x() - mid.x());
            double rim = 0;
            for (int ray = -4; ray <= 4; ++ray) {
                const double angle = away + ray * M_PI / 40;
                const QPointF dir(std::cos(angle), std::sin(angle));
                double reach = 0;
                for (double t = hollow + 1.6 * scale; t < hollow + 30 * scale; t += 0.25) {
                    const QPoint q = (p + dir * t).toPoint();
                    if (!board.rect().contains(q) || !isDiscColour(board.pixel(q), colour))
                        break;
                    reach = t - hollow;
                }
                rim += reach / 9;
            }
            rims.push_back(rim);
            EXPECT_GE(rim, 2.0 * scale);
        }
        // The places farthest from the middle keep equal rims; the shadow at the lower right
        // darkens the edge there, which is worth about a pixel.
        const double far1 = std::hypot(geometry.at(layout.stableSquare[1]).x + 0.5 - mid.x(),
                                       geometry.at(layout.stableSquare[1]).y + 0.5 - mid.y());
        std::vector<double> outerRims;
        for (int k = 1; k <= 4; ++k) {
            const BoardPoint bp = geometry.at(layout.stableSquare[k]);
            if (std::abs(std::hypot(bp.x + 0.5 - mid.x(), bp.y + 0.5 - mid.y()) - far1) < 1)
                outerRims.push_back(rims[k - 1]);
        }
        ASSERT_GE(outerRims.size(), 2u);
        const auto [lo, hi] = std::minmax_element(outerRims.begin(), outerRims.end());
        EXPECT_LE(*hi - *lo, 1.5 * scale);
    }
}

INSTANTIATE_TEST_SUITE_P(AllSizes, StablePlaces, ::testing::Values(640, 800, 1024),
                         [](const auto& info) { return std::to_string(info.param); });

class StableDiscs : public ::testing::TestWithParam<int> {};

// The discs lie inside the board's printed frame: walking along its outer line all round
// the board, no pixel belongs to a disc.
TEST_P(StableDiscs, StayInsideThePrintedFrame) {
    const int size = GetParam();
    const double scale = size / 640.0;
    const QImage board = boardPicture(size);
    ASSERT_FALSE(board.isNull());
    const double frameInset = 5.0 * scale; // where the outer line of the frame is printed
    const QRectF line =
        BoardPainter(size).boardRect().adjusted(frameInset, frameInset, -frameInset, -frameInset);
    // The straight stretches only: the corners are rounded.
    const double corner = 4.0 * scale;
    std::vector<QPointF> walk;
    for (double x = line.left() + corner; x <= line.right() - corner; x += 1) {
        walk.emplace_back(x, line.top());
        walk.emplace_back(x, line.bottom());
    }
    for (double y = line.top() + corner; y <= line.bottom() - corner; y += 1) {
        walk.emplace_back(line.left(), y);
        walk.emplace_back(line.right(), y);
    }
    for (int colour = 1; colour <= 4; ++colour) {
        SCOPED_TRACE(Colour::name(colour));
        int covered = 0;
        // The frame's brown ink is near yellow's hue but far darker than any disc.
        for (const QPointF& p : walk) {
            const QRgb pixel = board.pixel(p.toPoint());
            covered += isDiscColour(pixel, colour) && QColor(pixel).value() > 120;
        }
        EXPECT_EQ(covered, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(AllSizes, StableDiscs, ::testing::Values(640, 800, 1024),
                         [](const auto& info) { return std::to_string(info.param); });

// Ground a horse may stand on in its own colour: its disc, its start square and its home
// squares (a lighter tint of the colour).
std::vector<QColor> ownGrounds(int colour) {
    const QColor c = Palette::colour(colour);
    return {c, c.lighter(118), c.darker(118), Palette::tint(c, 0.6)};
}

class HorseOnItsColour : public ::testing::TestWithParam<int> {};

// Shown on a ground of its own colour, the see-through horse keeps something that stands
// out from that ground within two pixels (at 640; more at the larger sizes) of every
// point of its silhouette: otherwise its edge melts into the ground there.
TEST_P(HorseOnItsColour, KeepsAClearOutline) {
    const int size = GetParam();
    const int piece = size == 640 ? 28 : size == 800 ? 35 : 45;
    const int near = int(std::lround(2.0 * size / 640));
    for (int colour = 1; colour <= 4; ++colour) {
        SCOPED_TRACE(Colour::name(colour));
        const ArtItem* item = boardArt().find(
            QStringLiteral("art/Pion%1%2.png").arg(QLatin1String(Colour::name(colour))).arg(size));
        ASSERT_TRUE(item);
        const QImage horse = item->image.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(horse.width(), piece);
        const QRgb key = horse.pixel(0, horse.height() - 1);
        const auto solid = [&](int x, int y) {
            return horse.rect().contains(x, y) && horse.pixel(x, y) != key;
        };
        for (const QColor& ground : ownGrounds(colour)) {
            const int groundLum = luminance(ground.rgb());
            int edge = 0, melted = 0;
            for (int y = 0; y < horse.height(); ++y)
                for (int x = 0; x < horse.width(); ++x) {
                    if (!solid(x, y))
                        continue;
                    const bool onEdge = !solid(x - 1, y) || !solid(x + 1, y) || !solid(x, y - 1) ||
                                        !solid(x, y + 1);
                    // The bottom row is where the neck is cut off, not an outline.
                    if (!onEdge || y >= horse.height() - 2)
                        continue;
                    ++edge;
                    int contrast = 0;
                    for (int dy = -near; dy <= near; ++dy)
                        for (int dx = -near; dx <= near; ++dx)
                            if (solid(x + dx, y + dy))
                                contrast = std::max(
                                    contrast,
                                    std::abs(luminance(horse.pixel(x + dx, y + dy)) - groundLum));
                    melted += contrast < 60;
                }
            EXPECT_GT(edge, piece * 2);
            EXPECT_LE(melted, edge / 50) << "ground " << ground.name().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllSizes, HorseOnItsColour, ::testing::Values(640, 800, 1024),
                         [](const auto& info) { return std::to_string(info.param); });

} // namespace
