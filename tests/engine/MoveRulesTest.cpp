#include "EngineHarness.h"

#include <random>
#include <string>
#include <vector>

namespace {

struct TargetCase {
    std::string name;
    int colour;
    std::array<Squares, 5> board; // [colour] horses, ascending with stables last
    int die;
    Squares expected;
};

const std::vector<TargetCase> targetCases = {
    {"only the first stabled horse gets the exit",
     1,
     {{{}, {10, 0, 0, 0}, {}, {}, {}}},
     6,
     {16, 1, 0, 0}},
    {"no exit without a six", 1, {{{}, {0, 0, 0, 0}, {}, {}, {}}}, 5, {0, 0, 0, 0}},
    {"own horse on the start square blocks the exit",
     1,
     {{{}, {1, 0, 0, 0}, {}, {}, {}}},
     6,
     {7, 0, 0, 0}},
    {"exit captures an opponent on the start square",
     2,
     {{{}, {15, 0, 0, 0}, {0, 0, 0, 0}, {}, {}}},
     6,
     {15, 0, 0, 0}},
    {"jaune cannot pass its last square", 1, {{{}, {53, 0, 0, 0}, {}, {}, {}}}, 4, {0, 0, 0, 0}},
    {"jaune lands exactly on 56", 1, {{{}, {53, 0, 0, 0}, {}, {}, {}}}, 3, {56, 0, 0, 0}},
    {"a one from 56 enters the column", 1, {{{}, {56, 0, 0, 0}, {}, {}, {}}}, 1, {100, 0, 0, 0}},
    {"any other value from 56 stays", 1, {{{}, {56, 0, 0, 0}, {}, {}, {}}}, 2, {0, 0, 0, 0}},
    {"an occupied first step refuses the entry",
     1,
     {{{}, {56, 100, 0, 0}, {}, {}, {}}},
     1,
     {0, 0, 0, 0}},
    {"vert wraps from 54 to 2", 2, {{{}, {}, {54, 0, 0, 0}, {}, {}}}, 4, {2, 0, 0, 0}},
    {"vert cannot pass 14", 2, {{{}, {}, {10, 0, 0, 0}, {}, {}}}, 5, {0, 0, 0, 0}},
    {"vert enters 200 from 14", 2, {{{}, {}, {14, 0, 0, 0}, {}, {}}}, 1, {200, 0, 0, 0}},
    {"bleu enters 300 from 28", 3, {{{}, {}, {}, {28, 0, 0, 0}, {}}}, 1, {300, 0, 0, 0}},
    {"rouge lands exactly on 42", 4, {{{}, {}, {}, {}, {40, 0, 0, 0}}}, 2, {42, 0, 0, 0}},
    {"rouge enters 400 from 42", 4, {{{}, {}, {}, {}, {42, 0, 0, 0}}}, 1, {400, 0, 0, 0}},
    {"rouge wraps 56 to 1", 4, {{{}, {}, {}, {}, {56, 0, 0, 0}}}, 1, {1, 0, 0, 0}},
    {"a step short of an opponent",
     1,
     {{{}, {10, 0, 0, 0}, {12, 0, 0, 0}, {}, {}}},
     1,
     {11, 0, 0, 0}},
    {"landing on an opponent captures",
     1,
     {{{}, {10, 0, 0, 0}, {12, 0, 0, 0}, {}, {}}},
     2,
     {12, 0, 0, 0}},
    {"no jumping over an opponent",
     1,
     {{{}, {10, 0, 0, 0}, {12, 0, 0, 0}, {}, {}}},
     3,
     {0, 0, 0, 0}},
    {"no landing on an own horse", 1, {{{}, {10, 12, 0, 0}, {}, {}, {}}}, 2, {0, 14, 0, 0}},
    {"no jumping over an own horse", 1, {{{}, {10, 12, 0, 0}, {}, {}, {}}}, 4, {0, 16, 0, 0}},
    {"no jumping over a horse past 56",
     2,
     {{{}, {}, {54, 0, 0, 0}, {56, 0, 0, 0}, {}}},
     4,
     {0, 0, 0, 0}},
    {"no jumping over a horse on 1",
     2,
     {{{}, {}, {54, 0, 0, 0}, {1, 0, 0, 0}, {}}},
     4,
     {0, 0, 0, 0}},
    {"wrapping onto an opponent captures",
     2,
     {{{}, {}, {54, 0, 0, 0}, {2, 0, 0, 0}, {}}},
     4,
     {2, 0, 0, 0}},
    {"step 2 climbs with a 3", 1, {{{}, {101, 0, 0, 0}, {}, {}, {}}}, 3, {102, 0, 0, 0}},
    {"step 2 stays with a 2", 1, {{{}, {101, 0, 0, 0}, {}, {}, {}}}, 2, {0, 0, 0, 0}},
    {"step 2 stays below an occupied step",
     1,
     {{{}, {101, 102, 0, 0}, {}, {}, {}}},
     3,
     {0, 0, 0, 0}},
    {"step 1 climbs with a 2", 3, {{{}, {}, {}, {300, 0, 0, 0}, {}}}, 2, {301, 0, 0, 0}},
    {"step 5 climbs with a 6", 4, {{{}, {}, {}, {}, {404, 0, 0, 0}}}, 6, {405, 43, 0, 0}},
    {"step 6 reaches the finish with a 6",
     1,
     {{{}, {105, 0, 0, 0}, {}, {}, {}}},
     6,
     {106, 1, 0, 0}},
    {"step 6 needs a 6", 1, {{{}, {105, 0, 0, 0}, {}, {}, {}}}, 5, {0, 0, 0, 0}},
    {"arrived horses never move", 2, {{{}, {}, {207, 0, 0, 0}, {}, {}}}, 6, {0, 15, 0, 0}},
};

void PrintTo(const TargetCase& tc, std::ostream* os) {
    *os << tc.name;
}

class MoveTargets : public EngineHarness, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(MoveTargets, FollowTheRules) {
    const TargetCase& tc = GetParam();
    position(tc.board, tc.colour);
    ASSERT_EQ(horsesOf(tc.colour), tc.board[tc.colour]) << "position must be in number order";
    state().dieValue = tc.die;
    engine().computeMoveTargets(tc.colour, PlayerKind::Human);
    EXPECT_EQ(targets(), tc.expected);
    const bool any = tc.expected != Squares{0, 0, 0, 0};
    EXPECT_EQ(state().moveSettled, !any) << "markers shown only when a horse can move";
    EXPECT_FALSE(game.choix().isActive()) << "a human colour waits for a click";
}

INSTANTIATE_TEST_SUITE_P(Table, MoveTargets, ::testing::ValuesIn(targetCases),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) {
                                     ch = '_';
                                 }
                             }
                             return n;
                         });

using MoveRules = EngineHarness;

TEST_F(MoveRules, ExactLandingOnTheLastSquareForEveryColourAndThrow) {
    // From three squares before L, only the throw of 3 lands; a 4 or more would pass L.
    for (int c = 1; c <= 4; ++c) {
        const int L = ColourLayout::of(c).lastTrackSquare;
        for (int d = 1; d <= 6; ++d) {
            std::array<Squares, 5> board{};
            board[c] = {L - 3, 0, 0, 0};
            position(board, c);
            state().dieValue = d;
            engine().computeMoveTargets(c, PlayerKind::Human);
            EXPECT_EQ(state().moveTarget[1], d <= 3 ? L - 3 + d : 0)
                << "colour " << c << " d " << d;
        }
    }
}

TEST_F(MoveRules, MarkersGoOnTheTargetsAndAComputerStartsItsPause) {
    position({{{}, {10, 0, 0, 0}, {}, {}, {}}}, 1);
    state().dieValue = 6;
    view.clear();
    engine().computeMoveTargets(1, PlayerKind::Computer);
    EXPECT_EQ(view.squaresOf(ImageRef::marker(1)), (std::vector<int>{500, 16}));
    EXPECT_EQ(view.squaresOf(ImageRef::marker(2)), (std::vector<int>{500, 1}));
    EXPECT_EQ(view.squaresOf(ImageRef::marker(3)), (std::vector<int>{500, 500}));
    EXPECT_TRUE(view.sounds().empty()) << "markers are placed silently";
    EXPECT_TRUE(game.choix().isActive());
}

TEST_F(MoveRules, CapturedColourIsRenumbered) {
    position({{{}, {17, 0, 0, 0}, {5, 20, 40, 0}, {}, {}}}, 1);
    state().dieValue = 3;
    engine().computeMoveTargets(1, PlayerKind::Human);
    ASSERT_EQ(state().moveTarget[1], 20);
    engine().applyChosenMove(1);
    EXPECT_EQ(horsesOf(2), (Squares{5, 40, 0, 0}));
    EXPECT_EQ(horsesOf(1), (Squares{20, 0, 0, 0}));
    EXPECT_EQ(state().boardOwner[20], 1);
    // Vert's third and fourth images are drawn on their own stable squares.
    EXPECT_EQ(view.squaresOf(ImageRef::horse(2, 3)).back(), 223);
    EXPECT_EQ(view.squaresOf(ImageRef::horse(2, 4)).back(), 224);
}

TEST_F(MoveRules, RenumberingOrdersByBoardSquareWithStablesLast) {
    position({{{}, {0, 30, 0, 17}, {}, {}, {}}}, 1);
    EXPECT_EQ(horsesOf(1), (Squares{17, 30, 0, 0}));
    // A finish square becomes the arrival slot of the horse's number.
    position({{{}, {106, 107, 5, 0}, {}, {}, {}}}, 1);
    EXPECT_EQ(horsesOf(1), (Squares{5, 107, 108, 0}));
}

TEST_F(MoveRules, TwoColoursOnOneSquareLeaveItToTheColourWrittenLast) {
    // As a damaged saved game may hold: Jaune and Vert both on 20.
    position({{{}, {20, 0, 0, 0}, {20, 30, 0, 0}, {}, {}}}, 2);
    EXPECT_EQ(horsesOf(2), (Squares{20, 30, 0, 0}));
    EXPECT_EQ(horsesOf(1), (Squares{0, 0, 0, 0}));
    position({{{}, {20, 0, 0, 0}, {20, 30, 0, 0}, {}, {}}}, 1);
    EXPECT_EQ(horsesOf(1), (Squares{20, 0, 0, 0}));
    EXPECT_EQ(horsesOf(2), (Squares{30, 0, 0, 0}));
}

TEST_F(MoveRules, OddSquaresFromAFileNeverReachOutsideTheBoard) {
    position({{{}, {-7, 9999, 57, 499}, {150, 0, 0, 0}, {}, {}}}, 1);
    EXPECT_EQ(horsesOf(1), (Squares{57, 108, 110, 0}));
    EXPECT_EQ(horsesOf(2), (Squares{150, 0, 0, 0}));
    for (int d = 1; d <= 6; ++d) {
        state().dieValue = d;
        engine().computeMoveTargets(2, PlayerKind::Human);
        EXPECT_EQ(state().moveTarget[1], 0) << "a square below its own column never moves";
        engine().computeMoveTargets(1, PlayerKind::Human);
        EXPECT_EQ(state().moveTarget[2], 0) << "an arrival slot never moves";
    }
}

} // namespace

namespace {

// The renumbering visits only the squares it marked; it must give what a scan of every
// square 1..500 gives, whatever the squares (a saved game may hold anything).
TEST_F(MoveRules, RenumberingMatchesAScanOfTheWholeBoard) {
    std::mt19937 rng(31337);
    std::uniform_int_distribution<int> square(-3, 520), colour(1, 4), kind(0, 3);
    for (int trial = 0; trial < 3000; ++trial) {
        engine().setUpGame();
        for (int c = 1; c <= 4; ++c) {
            for (int k = 1; k <= 4; ++k) {
                // Mostly real squares, often shared, sometimes anything at all.
                const int pick = kind(rng);
                state().horseSquare[c][k] = pick == 0   ? square(rng)
                                            : pick == 1 ? 0
                                                        : 1 + static_cast<int>(rng() % 12);
            }
        }
        engine().rebuildBoard(colour(rng));
        int expected[5][5] = {};
        int counter[5] = {0, 1, 1, 1, 1};
        for (int s = 1; s <= 500; ++s) {
            for (int y = 1; y <= 4; ++y) {
                if (state().boardOwner[s] == y) {
                    expected[y][counter[y]++] = s;
                }
            }
        }
        for (int y = 1; y <= 4; ++y) {
            for (int k = 1; k <= 4; ++k) {
                ASSERT_EQ(state().horseSquare[y][k], expected[y][k])
                    << "trial " << trial << " colour " << y << " horse " << k;
            }
        }
    }
}

} // namespace
