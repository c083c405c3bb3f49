// The simulator leaves the blink ticks out; a game must play exactly as it does with a
// clock that fires every one of them.
#include "GameTrace.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

namespace {

struct Played {
    std::vector<std::string> lines;
    VirtualClock::Ms end = 0;
    int blinkTicks = 0;
};

Played play(const int kinds[5], unsigned seed, bool skipBlinks) {
    Settings settings;
    for (int c = 1; c <= 4; ++c) {
        settings.playerKind[c] = kinds[c];
    }
    VirtualClock clock;
    TraceView view(clock);
    RandomDie die(seed);
    HeadlessGame game(clock, view, die, settings);
    game.skipBlinkTicks(skipBlinks);
    for (int g = 0; g < 2; ++g) {
        EXPECT_TRUE(game.playOneGame(5'000'000));
    }
    return {view.lines, clock.now(), game.clignotant().ticks()};
}

TEST(BlinkSkip, GamesPlayAsWithEveryBlinkTick) {
    const int kinds[][5] = {{0, 2, 2, 2, 2}, {0, 2, 3, 3, 2}, {0, 3, 2, 2, 3}};
    for (const auto& k : kinds) {
        for (unsigned seed : {1u, 7u}) {
            const Played every = play(k, seed, false);
            const Played skipped = play(k, seed, true);
            ASSERT_GT(every.blinkTicks, 1000);
            EXPECT_EQ(skipped.blinkTicks, 0);
            EXPECT_EQ(skipped.end, every.end);
            const std::string difference = firstDifference(every.lines, skipped.lines);
            EXPECT_TRUE(difference.empty()) << "seed " << seed << "\n" << difference;
        }
    }
}

} // namespace
