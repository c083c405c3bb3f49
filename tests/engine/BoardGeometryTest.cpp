#include "BoardGeometry.h"
#include "ColourLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Checkpoint {
    int square;
    BoardPoint at640, at800, at1024;
};

// Points the construction must reproduce to the pixel, including the anchors that sit
// off their neighbours' lattice.
const std::vector<Checkpoint> checkpoints = {
    {1, {280, 26}, {350, 34}, {448, 42}},      {15, {453, 279}, {566, 348}, {724, 446}},
    {29, {202, 452}, {251, 564}, {321, 724}},  {43, {28, 200}, {36, 250}, {44, 320}},
    {7, {280, 200}, {350, 250}, {448, 318}},   {14, {454, 239}, {566, 299}, {724, 380}},
    {28, {240, 453}, {301, 564}, {386, 722}},  {42, {28, 239}, {35, 299}, {45, 386}},
    {56, {241, 26}, {301, 34}, {382, 44}},     {100, {241, 55}, {301, 70}, {382, 88}},
    {106, {241, 229}, {301, 286}, {382, 364}}, {206, {250, 239}, {314, 299}, {402, 380}},
    {306, {240, 249}, {301, 312}, {386, 402}}, {406, {231, 239}, {288, 299}, {366, 386}},
    {121, {329, 65}, {411, 83}, {526, 104}},   {224, {375, 445}, {468, 556}, {600, 710}},
    {324, {36, 374}, {43, 466}, {57, 600}},    {424, {106, 34}, {134, 42}, {168, 56}},
};

class GeometryBySize : public ::testing::TestWithParam<int> {};

TEST_P(GeometryBySize, ReproducesEveryCheckpoint) {
    const int size = GetParam();
    const BoardGeometry g(size);
    EXPECT_EQ(g.artworkSize(), size);
    for (const Checkpoint& cp : checkpoints) {
        const BoardPoint want = size == 640 ? cp.at640 : size == 800 ? cp.at800 : cp.at1024;
        const BoardPoint got = g.at(cp.square);
        EXPECT_EQ(got, want) << "square " << cp.square << " at " << size << ": (" << got.x << ", "
                             << got.y << ")";
    }
}

TEST_P(GeometryBySize, OnlyTheSquaresThatExistHaveAPoint) {
    const BoardGeometry g(GetParam());
    const BoardPoint nowhere{30000, 30000};
    int placed = 0;
    for (int s = -2; s <= 520; ++s) {
        if (!(g.at(s) == nowhere)) {
            ++placed;
        }
    }
    // 56 track squares, 4 x 7 columns and finishes, 4 x 4 arrival slots, 4 x 4 stables.
    EXPECT_EQ(placed, 116);
    for (int c = 1; c <= 4; ++c) {
        for (int slot = 7; slot <= 10; ++slot) {
            EXPECT_EQ(g.at(100 * c + slot), g.at(100 * c + 6)) << "arrival slot of " << c;
        }
    }
    EXPECT_EQ(g.at(500), nowhere);
    EXPECT_EQ(g.at(0), nowhere);
}

TEST_P(GeometryBySize, TrackStepsAreOneLatticeStepApart) {
    const BoardGeometry g(GetParam());
    const int c = GetParam() == 640 ? 29 : GetParam() == 800 ? 36 : 46;
    for (int s = 2; s <= 56; ++s) {
        if (s % 14 == 1 || s % 14 == 0) {
            continue; // anchors and the squares between the arms
        }
        const BoardPoint a = g.at(s - 1), b = g.at(s);
        EXPECT_EQ(std::abs(a.x - b.x) + std::abs(a.y - b.y), c) << "between " << s - 1 << "/" << s;
    }
}

INSTANTIATE_TEST_SUITE_P(ArtworkSizes, GeometryBySize, ::testing::Values(640, 800, 1024));

TEST(BoardGeometry, AnUnknownSizeFallsBackToTheLargest) {
    EXPECT_EQ(BoardGeometry(1280).at(1), BoardGeometry(1024).at(1));
    EXPECT_EQ(BoardGeometry(1280).artworkSize(), 1024);
}

TEST(ColourLayoutTable, StartsAndLastSquaresInterlock) {
    for (int c = 1; c <= 4; ++c) {
        const ColourLayout& l = ColourLayout::of(c);
        // The last track square is the one before the colour's own start, round the track.
        EXPECT_EQ(l.lastTrackSquare % 56 + 1, l.startSquare) << c;
        EXPECT_EQ(l.homeSquare, 100 * c);
        EXPECT_EQ(l.homeLimit, 100 * c + 4);
        EXPECT_EQ(l.centreSquare, 100 * c + 6);
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(l.arrivalSlot[k], 100 * c + 6 + k);
            EXPECT_EQ(l.stableSquare[k], 100 * c + 20 + k);
        }
    }
}

} // namespace
