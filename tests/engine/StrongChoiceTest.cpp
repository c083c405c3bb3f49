#include "StrongChoice.h"
#include "EngineHarness.h"
#include "NullView.h"

#include <string>
#include <vector>

namespace {

struct StrongCase {
    std::string name;
    std::array<Squares, 5> board;
    int die;
    int from; // the square of the Jaune horse that should move; -1 when none can
};

// Boards where the right move is plain, each showing one idea. Vert sits out; Bleu plays
// but mostly keeps to its stable.
const std::vector<StrongCase> strongCases = {
    // Moving the leading horse is the quiet choice; taking Rouge's horse beats it.
    {"capture_before_a_quiet_move", {{{}, {20, 30, 0, 0}, {}, {}, {23, 0, 0, 0}}}, 3, 20},
    {"capture_on_the_start_square_by_leaving_the_stable",
     {{{}, {10, 0, 0, 0}, {}, {}, {1, 0, 0, 0}}},
     6,
     0},
    // Rouge's horse on 24 has run 37 squares since its start on 43, the one on 50 only 7.
    {"the_victim_that_has_run_further", {{{}, {20, 46, 0, 0}, {}, {}, {24, 50, 0, 0}}}, 4, 20},
    // A Rouge horse on 20 - d threatens the Jaune horse on 20; a six takes it out of reach,
    // ahead of the leading horse's own run.
    {"threatened_from_1_behind", {{{}, {20, 40, 107, 108}, {}, {}, {19, 0, 0, 0}}}, 6, 20},
    {"threatened_from_2_behind", {{{}, {20, 40, 107, 108}, {}, {}, {18, 0, 0, 0}}}, 6, 20},
    {"threatened_from_3_behind", {{{}, {20, 40, 107, 108}, {}, {}, {17, 0, 0, 0}}}, 6, 20},
    {"threatened_from_4_behind", {{{}, {20, 40, 107, 108}, {}, {}, {16, 0, 0, 0}}}, 6, 20},
    {"threatened_from_5_behind", {{{}, {20, 40, 107, 108}, {}, {}, {15, 0, 0, 0}}}, 6, 20},
    {"threatened_from_6_behind", {{{}, {20, 40, 107, 108}, {}, {}, {14, 0, 0, 0}}}, 6, 20},
    // Out of reach or shielded, the horse on 20 is not in danger: the leader runs.
    {"seven_behind_is_no_threat", {{{}, {20, 40, 107, 108}, {}, {}, {13, 0, 0, 0}}}, 6, 40},
    // Bleu's horse on its last track square can only enter its column: it blocks Rouge's
    // horse on 26 and threatens nothing itself.
    {"a_horse_between_shields_it",
     {{{}, {30, 45, 107, 108}, {}, {28, 0, 0, 0}, {26, 0, 0, 0}}},
     6,
     45},
    {"rouge_may_not_pass_its_last_square",
     {{{}, {44, 50, 107, 108}, {}, {}, {40, 0, 0, 0}}},
     3,
     50},
    // Bleu's stable is full, so its start square 29 is within reach of a six.
    {"not_onto_a_start_square_with_horses_behind_it",
     {{{}, {10, 24, 107, 108}, {}, {}, {}}},
     5,
     10},
    {"into_the_home_column_out_of_reach", {{{}, {40, 56, 0, 0}, {}, {}, {52, 0, 0, 0}}}, 1, 56},
    {"the_stable_exit_when_nothing_else_moves", {{{}, {56, 103, 0, 0}, {}, {}, {}}}, 6, 0},
    {"no_move_at_all", {{{}, {56, 103, 0, 0}, {}, {}, {}}}, 3, -1},
};

void PrintTo(const StrongCase& c, std::ostream* os) {
    *os << c.name;
}

class StrongChoiceTable : public EngineHarness, public ::testing::WithParamInterface<StrongCase> {};

TEST_P(StrongChoiceTable, PicksThePlainMove) {
    const StrongCase& sc = GetParam();
    setKinds(2, 3, 2, 2);
    position(sc.board, 1);
    state().dieValue = sc.die;
    engine().computeMoveTargets(1, PlayerKind::Computer);

    const int k = StrongChoice::choose(state(), 1, state().moveTarget);

    if (sc.from < 0) {
        EXPECT_EQ(k, 0);
    } else {
        ASSERT_GE(k, 1);
        ASSERT_LE(k, 4);
        EXPECT_NE(state().moveTarget[k], 0) << "a horse that cannot move";
        EXPECT_EQ(state().horseSquare[1][k], sc.from);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StrongChoiceTable, ::testing::ValuesIn(strongCases),
                         [](const auto& info) { return info.param.name; });

using StrongLevel = EngineHarness;

// The engine hands the strong level's choice to the same move as the standard one: the
// horse walks, the capture takes effect, and no random pick is drawn.
TEST_F(StrongLevel, TheEngineMakesTheStrongChoice) {
    setKinds(2, 3, 3, 2);
    settings.computerLevel = ComputerLevel::Strong;
    position({{{}, {20, 30, 0, 0}, {}, {}, {23, 0, 0, 0}}}, 1);
    state().dieValue = 3;
    engine().computeMoveTargets(1, PlayerKind::Computer);
    ASSERT_TRUE(game.choix().isActive());
    const int drawsBefore = die.draws;
    engine().chooseComputerMove();
    EXPECT_EQ(horsesOf(1), (Squares{23, 30, 0, 0}));
    EXPECT_EQ(horsesOf(4), (Squares{0, 0, 0, 0}));
    EXPECT_EQ(die.draws, drawsBefore + 1) << "only the next turn's throw";
}

TEST_F(StrongLevel, AStableExitIsPlacedOnTheStartSquare) {
    setKinds(3, 2, 3, 3);
    settings.computerLevel = ComputerLevel::Strong;
    position({{{}, {}, {14, 0, 0, 0}, {}, {}}}, 2);
    state().dieValue = 6;
    engine().computeMoveTargets(2, PlayerKind::Computer);
    engine().chooseComputerMove();
    EXPECT_EQ(horsesOf(2), (Squares{14, 15, 0, 0}));
}

// Whole games between strong colours end, and the pick never stalls a turn.
TEST_F(StrongLevel, GamesOfStrongColoursEnd) {
    settings.computerLevel = ComputerLevel::Strong;
    setKinds(2, 2, 2, 2);
    RandomDie random(99);
    VirtualClock ownClock;
    NullView quiet(ownClock);
    HeadlessGame strongGame(ownClock, quiet, random, settings);
    for (int g = 0; g < 20; ++g) {
        ASSERT_TRUE(strongGame.playOneGame(2'000'000)) << "game " << g;
    }
}

} // namespace
