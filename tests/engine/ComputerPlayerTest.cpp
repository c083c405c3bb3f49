#include "EngineHarness.h"

#include <random>
#include <string>
#include <vector>

namespace {

struct ChoiceCase {
    std::string name;
    std::array<Squares, 5> board;
    int die;
    Squares jauneAfter;
};

// Rules 1 to 3 each single out one horse; the pick is deterministic.
const std::vector<ChoiceCase> choiceCases = {
    {"rule1_last_square_before_a_stable_exit", {{{}, {50, 0, 0, 0}, {}, {}, {}}}, 6, {56, 0, 0, 0}},
    {"rule2_stable_exit_before_track_moves", {{{}, {10, 20, 0, 0}, {}, {}, {}}}, 6, {1, 10, 20, 0}},
    {"rule2_exit_before_climbing_to_step_6", {{{}, {104, 0, 0, 0}, {}, {}, {}}}, 6, {1, 104, 0, 0}},
    {"rule3_entering_the_column", {{{}, {30, 56, 0, 0}, {}, {}, {}}}, 1, {30, 100, 0, 0}},
    {"rule3_climbing_to_step_3", {{{}, {30, 101, 0, 0}, {}, {}, {}}}, 3, {30, 102, 0, 0}},
    {"rule1_before_rule3", {{{}, {52, 102, 0, 0}, {}, {}, {}}}, 4, {56, 102, 0, 0}},
};

void PrintTo(const ChoiceCase& c, std::ostream* os) {
    *os << c.name;
}

class ComputerChoice : public EngineHarness, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ComputerChoice, PrefersByRule) {
    const ChoiceCase& cc = GetParam();
    setKinds(2, 3, 3, 3);
    position(cc.board, 1);
    state().dieValue = cc.die;
    engine().computeMoveTargets(1, PlayerKind::Computer);
    ASSERT_TRUE(game.choix().isActive());
    const int drawsBefore = die.draws;
    engine().chooseComputerMove();
    EXPECT_EQ(horsesOf(1), cc.jauneAfter);
    // No random pick was needed: the next draw is the next turn's throw.
    EXPECT_EQ(die.draws, drawsBefore + 1);
}

INSTANTIATE_TEST_SUITE_P(Table, ComputerChoice, ::testing::ValuesIn(choiceCases),
                         [](const auto& info) { return info.param.name; });

struct UniformCase {
    std::string name;
    std::array<Squares, 5> board;
    int die;
    std::vector<Squares> outcomes; // Jaune's horses after each possible move
};

const std::vector<UniformCase> uniformCases = {
    {"step_5_is_not_preferred",
     {{{}, {30, 103, 0, 0}, {}, {}, {}}},
     5,
     {{35, 103, 0, 0}, {30, 104, 0, 0}}},
    {"a_capture_is_not_preferred",
     {{{}, {20, 30, 0, 0}, {23, 0, 0, 0}, {}, {}}},
     3,
     {{23, 30, 0, 0}, {20, 33, 0, 0}}},
    {"three_track_moves",
     {{{}, {5, 25, 45, 0}, {}, {}, {}}},
     2,
     {{7, 25, 45, 0}, {5, 27, 45, 0}, {5, 25, 47, 0}}},
};

void PrintTo(const UniformCase& c, std::ostream* os) {
    *os << c.name;
}

class ComputerRandomPick : public EngineHarness,
                           public ::testing::WithParamInterface<UniformCase> {};

// With a fixed seed the counts are always the same; the bound only says how far from even
// they may be: chi-square far above the 0.1% point for these degrees of freedom.
TEST_P(ComputerRandomPick, EveryMovableHorseIsEquallyLikely) {
    const UniformCase& uc = GetParam();
    setKinds(2, 2, 2, 2);
    std::mt19937 pinned(20240611);
    std::uniform_int_distribution<int> pick(1, 4);
    const int trials = 3000;
    std::vector<int> counts(uc.outcomes.size(), 0);
    for (int i = 0; i < trials; ++i) {
        position(uc.board, 1);
        state().dieValue = uc.die;
        engine().computeMoveTargets(1, PlayerKind::Computer);
        die.values.clear();
        for (int j = 0; j < 64; ++j) {
            die.values.push_back(pick(pinned));
        }
        engine().chooseComputerMove();
        const Squares after = horsesOf(1);
        bool known = false;
        for (size_t o = 0; o < uc.outcomes.size(); ++o) {
            if (after == uc.outcomes[o]) {
                ++counts[o];
                known = true;
            }
        }
        ASSERT_TRUE(known) << "an impossible move was made";
    }
    const double expected = static_cast<double>(trials) / uc.outcomes.size();
    double chi2 = 0;
    for (int c : counts) {
        chi2 += (c - expected) * (c - expected) / expected;
    }
    const double bound = uc.outcomes.size() == 2 ? 15.0 : 20.0;
    EXPECT_LT(chi2, bound);
    for (int c : counts) {
        EXPECT_GT(c, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ComputerRandomPick, ::testing::ValuesIn(uniformCases),
                         [](const auto& info) { return info.param.name; });

using ComputerPlayer = EngineHarness;

TEST_F(ComputerPlayer, ATickWithoutAPendingChoiceDoesNothing) {
    setKinds(2, 2, 2, 2);
    position({{{}, {10, 0, 0, 0}, {}, {}, {}}}, 1);
    state().dieValue = 4; // targets never computed: all zero, nothing pending
    const int drawsBefore = die.draws;
    engine().chooseComputerMove();
    EXPECT_EQ(horsesOf(1), (Squares{10, 0, 0, 0}));
    EXPECT_EQ(die.draws, drawsBefore) << "the random pick must not spin on no move";
}

TEST_F(ComputerPlayer, StopGameCancelsAPendingChoice) {
    setKinds(2, 2, 2, 2);
    die.push({6});
    engine().startNewGame();
    clock.runFor(500);
    ASSERT_TRUE(game.choix().isActive());
    view.answers = {MessageResult::Yes};
    engine().requestStop();
    clock.runFor(10000);
    EXPECT_EQ(horsesOf(1), (Squares{0, 0, 0, 0}));
}

} // namespace
