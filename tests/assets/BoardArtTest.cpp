#include "ArtTestSupport.h"
#include "BoardGeometry.h"
#include "BoardPainter.h"
#include "ColourLayout.h"
#include "FloodFill.h"
#include "Palette.h"
#include "PanelPainter.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cstdlib>
#include <vector>

namespace {

struct SizeCase {
    int size;
    QSize board, textButton, roundButton, minimise, die;
    int piece;
};

const SizeCase sizeCases[] = {
    {640, {640, 480}, {108, 24}, {50, 50}, {13, 13}, {86, 82}, 28},
    {800, {800, 600}, {135, 30}, {62, 62}, {16, 16}, {108, 103}, 35},
    {1024, {1024, 768}, {174, 39}, {80, 80}, {20, 20}, {139, 133}, 45},
};

class BoardArtSizes : public ::testing::TestWithParam<SizeCase> {};

QImage picture(const QString& name) {
    const ArtItem* item = boardArt().find(name);
    return item ? item->image : QImage();
}

TEST_P(BoardArtSizes, EveryPictureHasTheSizeTheWindowLaysOut) {
    const SizeCase& c = GetParam();
    const QString s = QString::number(c.size);
    const std::vector<std::pair<QString, QSize>> expected = {
        {QStringLiteral("art/img%1x%2.png").arg(c.board.width()).arg(c.board.height()), c.board},
        {"art/BminimizeSEL" + s + ".png", c.minimise},
        {"art/BconfigurationSEL" + s + ".png", c.textButton},
        {"art/BaproposSEL" + s + ".png", c.textButton},
        {"art/BafasSEL" + s + ".png", c.textButton},
        {"art/BcdaudioSEL" + s + ".png", c.textButton},
        {"art/BchargerSEL" + s + ".png", c.textButton},
        {"art/BsauverSEL" + s + ".png", c.textButton},
        {"art/BnouveauSEL" + s + ".png", c.textButton},
        {"art/BquitterSEL" + s + ".png", c.textButton},
        {"art/BJauneSEL" + s + ".png", c.textButton},
        {"art/BVertSEL" + s + ".png", c.textButton},
        {"art/BBleuSEL" + s + ".png", c.textButton},
        {"art/BRougeSEL" + s + ".png", c.textButton},
        {"art/BhelpSEL" + s + ".png", c.roundButton},
        {"art/BarretSEL" + s + ".png", c.roundButton},
        {"art/PionJaune" + s + ".png", {c.piece, c.piece}},
        {"art/PionVert" + s + ".png", {c.piece, c.piece}},
        {"art/PionBleu" + s + ".png", {c.piece, c.piece}},
        {"art/PionRouge" + s + ".png", {c.piece, c.piece}},
        {"art/Pion" + s + ".png", {c.piece, c.piece}},
    };
    for (const auto& [name, size] : expected) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(picture(name).size(), size);
    }
    for (int face = 1; face <= 6; ++face)
        EXPECT_EQ(picture(QStringLiteral("art/Des%1_%2.png").arg(face).arg(s)).size(), c.die)
            << "face " << face;
}

// Horses and markers are shown see-through where they have their bottom-left colour, so
// that pixel must be the key, and the key must never appear inside the piece, where it
// would punch a hole: every key pixel must reach the edge through other key pixels.
TEST_P(BoardArtSizes, PiecesAreCleanlySeeThrough) {
    const QString s = QString::number(GetParam().size);
    const QRgb key = Palette::keyGrey.rgb();
    for (const char* name : {"Jaune", "Vert", "Bleu", "Rouge", ""}) {
        SCOPED_TRACE(name);
        const QImage img = picture(QStringLiteral("art/Pion%1%2.png").arg(QLatin1String(name), s))
                               .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.pixel(0, img.height() - 1), key);
        const int w = img.width(), h = img.height();
        FloodFill ground(img);
        ground.fill(FloodFill::edges(img.size()), img.rect(), [key](QRgb c) { return c == key; });
        int holes = 0, solid = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                holes += img.pixel(x, y) == key && !ground.reached(x, y);
                solid += img.pixel(x, y) != key;
            }
        EXPECT_EQ(holes, 0);
        // The piece itself fills a good part of its square, so it reads on the board.
        EXPECT_GT(solid, w * h * 35 / 100);
        EXPECT_NE(img.pixel(w / 2, h / 2), key);
    }
}

// A ring drawn round P(n) meets the row and the column through P(n) at the same distance
// on both sides; measured from the outside in, so the digits and arrows inside do not
// count.
TEST_P(BoardArtSizes, EverySquareIsCentredOnItsBoardPoint) {
    const int size = GetParam().size;
    const BoardGeometry geometry(size);
    const QImage board = picture(QStringLiteral("art/img%1x%2.png")
                                     .arg(GetParam().board.width())
                                     .arg(GetParam().board.height()))
                             .convertToFormat(QImage::Format_RGB32);
    // Just outside the ring, so nothing printed beside a square is mistaken for it.
    const int reach = int(BoardPainter(size).squareRadius()) + 1;
    std::vector<int> squares;
    for (int s = 1; s <= 56; ++s)
        squares.push_back(s);
    for (int c = 1; c <= 4; ++c)
        for (int i = 0; i < 6; ++i)
            squares.push_back(ColourLayout::of(c).homeSquare + i);
    for (int square : squares) {
        SCOPED_TRACE("square " + std::to_string(square));
        const BoardPoint p = geometry.at(square);
        const auto edge = [&](QPoint from, QPoint dir) {
            QPoint q = from;
            for (int i = 0; i < reach; ++i, q += dir)
                if (luminance(board.pixel(q)) < 115)
                    return i;
            return -1;
        };
        const int left = edge({p.x - reach, p.y}, {1, 0});
        const int right = edge({p.x + reach, p.y}, {-1, 0});
        const int top = edge({p.x, p.y - reach}, {0, 1});
        const int bottom = edge({p.x, p.y + reach}, {0, -1});
        ASSERT_GE(left, 0);
        ASSERT_GE(right, 0);
        ASSERT_GE(top, 0);
        ASSERT_GE(bottom, 0);
        EXPECT_LE(std::abs(left - right), 1);
        EXPECT_LE(std::abs(top - bottom), 1);
    }
}

// The highlight and lit pictures are shown in controls laid over the painted buttons:
// what they change must lie inside those controls, and every button must change.
TEST_P(BoardArtSizes, HighlightsChangeOnlyTheirOwnButton) {
    ensureGuiApp();
    const int size = GetParam().size;
    const BoardPainter board(size);
    const PanelPainter panel(size);
    const auto paint = [&](PanelPainter::Look look) {
        QImage img(board.pictureSize(), QImage::Format_RGB32);
        QPainter p(&img);
        board.paint(p);
        panel.paint(p, look);
        return img;
    };
    const QImage normal = paint(PanelPainter::Look::Normal);
    for (PanelPainter::Look look : {PanelPainter::Look::Highlighted, PanelPainter::Look::Lit}) {
        const QImage other = paint(look);
        std::vector<int> changed(panel.layout().buttons().size(), 0);
        int outside = 0;
        for (int y = 0; y < normal.height(); ++y)
            for (int x = 0; x < normal.width(); ++x) {
                if (normal.pixel(x, y) == other.pixel(x, y))
                    continue;
                bool inButton = false;
                for (size_t i = 0; i < changed.size(); ++i)
                    if (panel.layout().buttons()[i].rect.contains(x, y)) {
                        ++changed[i];
                        inButton = true;
                    }
                outside += !inButton;
            }
        EXPECT_EQ(outside, 0);
        for (size_t i = 0; i < changed.size(); ++i) {
            const PanelButton& b = panel.layout().buttons()[i];
            const bool expectChange =
                (b.kind == PanelButton::Colour) == (look == PanelPainter::Look::Lit);
            if (expectChange)
                EXPECT_GT(changed[i], b.rect.width() * b.rect.height() / 50)
                    << b.name.toStdString();
            else
                EXPECT_EQ(changed[i], 0) << b.name.toStdString();
        }
    }
}

// Counts the pips as separate dark spots on the top of the die, and checks that the
// picture's border is the felt it is shown on, so the die blends into the field.
TEST_P(BoardArtSizes, DieFacesShowTheirPipsOnTheFelt) {
    const SizeCase& c = GetParam();
    const PanelLayout layout(c.size);
    const QImage board =
        picture(QStringLiteral("art/img%1x%2.png").arg(c.board.width()).arg(c.board.height()))
            .convertToFormat(QImage::Format_RGB32);
    const QRect die = layout.dieRect();
    for (int face = 1; face <= 6; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        const QImage img = picture(QStringLiteral("art/Des%1_%2.png").arg(face).arg(c.size))
                               .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(img.isNull());
        for (QPoint corner :
             {QPoint(0, 0), QPoint(img.width() - 1, 0), QPoint(0, img.height() - 1)})
            EXPECT_EQ(img.pixel(corner), board.pixel(die.topLeft() + corner));
        const int half = std::min(img.width(), img.height()) * 30 / 100;
        const QRect top(img.width() / 2 - half, img.height() / 2 - half, 2 * half, 2 * half);
        // Each dark patch in the middle of the face is one spot.
        FloodFill pips(img);
        const auto dark = [](QRgb c) { return luminance(c) <= 80; };
        int spots = 0;
        for (int y = top.top(); y <= top.bottom(); ++y)
            for (int x = top.left(); x <= top.right(); ++x) {
                if (pips.reached(x, y) || !dark(img.pixel(x, y)))
                    continue;
                ++spots;
                pips.fill({QPoint(x, y)}, top, dark);
            }
        EXPECT_EQ(spots, face);
    }
}

// The nearest of the four colours by hue, 1..4.
int nearestColour(QRgb pixel) {
    const int hue = QColor(pixel).hue();
    int best = 0, bestGap = 1000;
    for (int c = 1; c <= 4; ++c) {
        const int d = std::abs(hue - Palette::colour(c).hue());
        const int gap = std::min(d, 360 - d);
        if (gap < bestGap) {
            best = c;
            bestGap = gap;
        }
    }
    return best;
}

// Each stable lies round its colour's resting places (red top left, yellow top right, blue
// bottom left, green bottom right), and each lit throw button glows in its own colour.
TEST_P(BoardArtSizes, StablesAndLitButtonsWearTheirColours) {
    const SizeCase& c = GetParam();
    const BoardGeometry geometry(c.size);
    const QImage board =
        picture(QStringLiteral("art/img%1x%2.png").arg(c.board.width()).arg(c.board.height()))
            .convertToFormat(QImage::Format_RGB32);
    for (int colour = 1; colour <= 4; ++colour) {
        SCOPED_TRACE(Colour::name(colour));
        const ColourLayout& layout = ColourLayout::of(colour);
        // Between two resting places lies the disc itself.
        const BoardPoint a = geometry.at(layout.stableSquare[1]);
        const BoardPoint b = geometry.at(layout.stableSquare[2]);
        EXPECT_EQ(nearestColour(board.pixel((a.x + b.x) / 2, (a.y + b.y) / 2)), colour);
        const QImage lit = picture(QStringLiteral("art/B%1SEL%2.png")
                                       .arg(QLatin1String(Colour::name(colour)))
                                       .arg(c.size));
        ASSERT_FALSE(lit.isNull());
        EXPECT_EQ(nearestColour(lit.pixel(lit.width() * 3 / 4, lit.height() / 4)), colour);
    }
}

INSTANTIATE_TEST_SUITE_P(AllSizes, BoardArtSizes, ::testing::ValuesIn(sizeCases),
                         [](const auto& info) { return std::to_string(info.param.size); });

TEST(BoardArt, RendersTheSameBytesEveryTime) {
    const auto& first = boardArt().items();
    ArtCollector again;
    renderBoardArt(again);
    ASSERT_EQ(again.items().size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        SCOPED_TRACE(first[i].name.toStdString());
        EXPECT_EQ(again.items()[i].name, first[i].name);
        EXPECT_EQ(ArtCollector::encode(again.items()[i]), ArtCollector::encode(first[i]));
    }
}

} // namespace
