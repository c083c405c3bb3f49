#include "GameStatistics.h"
#include "NullView.h"
#include "SimOptions.h"
#include "VirtualTimer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(VirtualTimer, SameValuesChangeNothingNewValuesRestartTheCount) {
    VirtualClock clock;
    std::vector<long> fired;
    VirtualTimer t(clock, [&] { fired.push_back(clock.now()); });
    t.setInterval(500);
    t.start();
    clock.runFor(300);
    t.start();          // already running: the count goes on
    t.setInterval(500); // same interval: the count goes on
    clock.runFor(200);
    EXPECT_EQ(fired, std::vector<long>{500});
    t.setInterval(400); // a new interval restarts the count from now (500)
    clock.runFor(399);
    EXPECT_EQ(fired.size(), 1u);
    clock.runFor(1);
    EXPECT_EQ(fired, (std::vector<long>{500, 900}));
    t.stop();
    t.start(); // stopped then started: a fresh count
    clock.runFor(1000);
    EXPECT_EQ(fired, (std::vector<long>{500, 900, 1300, 1700}));
}

TEST(VirtualTimer, TimersFireInTimeOrderAndBlockedTimeDelaysThem) {
    VirtualClock clock;
    std::vector<std::string> order;
    VirtualTimer a(clock), b(clock);
    a.setOnTick([&] {
        order.push_back("a@" + std::to_string(clock.now()));
        a.stop();
    });
    b.setOnTick([&] {
        order.push_back("b@" + std::to_string(clock.now()));
        b.stop();
        clock.advance(1000); // a walk: nothing fires meanwhile
    });
    a.setInterval(300);
    b.setInterval(200);
    a.start();
    b.start();
    while (clock.runNext()) {
    }
    EXPECT_EQ(order, (std::vector<std::string>{"b@200", "a@1200"}));
}

TEST(VirtualTimer, NoIntervalNeverFires) {
    VirtualClock clock;
    int ticks = 0;
    VirtualTimer t(clock, [&] { ++ticks; });
    t.setInterval(0);
    t.start();
    EXPECT_FALSE(clock.runNext());
    clock.runFor(100000);
    EXPECT_EQ(ticks, 0);
}

TEST(HeadlessGame, ReportsWhetherEachGameRanToItsEnd) {
    Settings settings;
    VirtualClock clock;
    NullView view(clock);
    RandomDie die(11);
    HeadlessGame game(clock, view, die, settings);
    for (int c = 1; c <= 4; ++c) {
        settings.playerKind[c] = PlayerKind::Disabled;
    }
    EXPECT_FALSE(game.playOneGame(1000000)) << "nobody plays: the game never ran";
    settings.playerKind[2] = PlayerKind::Computer;
    settings.playerKind[3] = PlayerKind::Computer;
    EXPECT_TRUE(game.playOneGame(1000000));
    EXPECT_FALSE(game.engine().state().gameInProgress);
    EXPECT_FALSE(game.playOneGame(10)) << "ten ticks are far too few for a whole game";
}

struct OptionCase {
    std::vector<std::string> args;
    bool ok;
    long games;
    int kind4;
    int level3 = 1;
};

TEST(SimOptions, AcceptsOnlyWellFormedValues) {
    const std::vector<OptionCase> cases = {
        {{}, true, 100, 2},
        {{"--games", "5", "--seed", "9", "--kinds", "2,3,3,2"}, true, 5, 2},
        {{"--kinds", "3,3,2,3"}, true, 100, 3},
        {{"--kinds", "3,3,3,3"}, false, 0, 0},
        {{"--kinds", "1,2,2,2"}, false, 0, 0},
        {{"--kinds", "2,2,2"}, false, 0, 0},
        {{"--kinds", "2,2,2,2,2"}, false, 0, 0},
        {{"--kinds", "2,2,,2"}, false, 0, 0},
        {{"--games", "0"}, false, 0, 0},
        {{"--games", "-3"}, false, 0, 0},
        {{"--games", "12x"}, false, 0, 0},
        {{"--games", "99999999999999999999999"}, false, 0, 0},
        {{"--seed", "4294967296"}, false, 0, 0},
        {{"--seed", " 4"}, false, 0, 0},
        {{"--seed"}, false, 0, 0},
        {{"--speed", "3"}, false, 0, 0},
        {{"--levels", "1,1,2,1"}, true, 100, 2, 2},
        {{"--levels", "2,2,1,2", "--kinds", "2,2,2,3"}, true, 100, 3, 1},
        {{"--levels", "1,1,3,1"}, false, 0, 0},
        {{"--levels", "0,1,1,1"}, false, 0, 0},
        {{"--levels", "1,1,1"}, false, 0, 0},
        {{"--levels", "1,2,,1"}, false, 0, 0},
        {{"--levels"}, false, 0, 0},
    };
    for (const OptionCase& oc : cases) {
        SimOptions o;
        std::string error;
        const bool ok = SimOptions::parse(oc.args, o, error);
        std::string line;
        for (const auto& a : oc.args) {
            line += a + " ";
        }
        EXPECT_EQ(ok, oc.ok) << line;
        EXPECT_EQ(error.empty(), oc.ok) << line << ": " << error;
        if (ok) {
            EXPECT_EQ(o.games, oc.games) << line;
            EXPECT_EQ(o.kinds[4], oc.kind4) << line;
            EXPECT_EQ(o.levels[3], oc.level3) << line;
        }
    }
}

TEST(GameStatistics, SameSeedSameGamesAndCountsAddUp) {
    const int kinds[5] = {0, 2, 2, 3, 2};
    GameStatistics a(kinds, 77), b(kinds, 77), c(kinds, 78);
    for (int g = 0; g < 20; ++g) {
        ASSERT_TRUE(a.playGame());
        ASSERT_TRUE(b.playGame());
        ASSERT_TRUE(c.playGame());
    }
    EXPECT_EQ(a.throws(), b.throws());
    EXPECT_EQ(a.moves(), b.moves());
    EXPECT_EQ(a.captures(), b.captures());
    EXPECT_EQ(a.virtualMs(), b.virtualMs());
    EXPECT_NE(a.throws(), c.throws()) << "another seed plays other games";
    // Bleu never plays, so never finishes first; every game has one first finisher.
    EXPECT_EQ(a.firstToFinish(3), 0);
    EXPECT_EQ(a.firstToFinish(1) + a.firstToFinish(2) + a.firstToFinish(4), 20);
    // Every horse of three colours climbs seven squares of column and finish at least.
    EXPECT_GE(a.moves(), 20 * 3 * 4 * 2);
    EXPECT_GT(a.throws(), a.moves());
    EXPECT_GT(a.captures(), 0);
}

// The level reaches the colour it is given to, and the standard level is the game as it
// always was.
TEST(GameStatistics, EachColourPlaysAtItsOwnLevel) {
    const int kinds[5] = {0, 2, 2, 2, 2};
    const int standard[5] = {0, 1, 1, 1, 1};
    const int strongBleu[5] = {0, 1, 1, 2, 1};
    GameStatistics plain(kinds, 31), explicitPlain(kinds, 31, standard);
    GameStatistics strong(kinds, 31, strongBleu);
    const int games = 400;
    for (int g = 0; g < games; ++g) {
        ASSERT_TRUE(plain.playGame());
        ASSERT_TRUE(explicitPlain.playGame());
        ASSERT_TRUE(strong.playGame());
    }
    EXPECT_EQ(plain.throws(), explicitPlain.throws());
    EXPECT_EQ(plain.firstToFinish(3), explicitPlain.firstToFinish(3));
    // A quarter each at one level; the strong colour wins far more than its share.
    EXPECT_GT(strong.firstToFinish(3), games * 2 / 5);
    EXPECT_LT(plain.firstToFinish(3), games * 2 / 5);
}

} // namespace
