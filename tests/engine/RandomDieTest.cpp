// The die keeps the sequence a seed has always given: the simulator's figures and every
// recorded game depend on it.
#include "DieSource.h"

#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <random>

namespace {

TEST(RandomDie, DrawsWhatTheStandardDistributionDrawsForEverySize) {
    // Small sizes as the game uses them, sizes whose rejection region is a large part of
    // the generator's range, and the largest.
    const int sizes[] = {1, 2, 3, 4, 6, 7, 1 << 30, (1 << 30) + 1, 3 << 29, INT_MAX};
    for (unsigned seed : {1u, 12345u, 4000000000u}) {
        RandomDie die(seed);
        std::mt19937 reference(seed);
        for (int i = 0; i < 20000; ++i) {
            const int n = sizes[i % std::size(sizes)];
            const int expected = std::uniform_int_distribution<int>(1, n)(reference);
            ASSERT_EQ(die.draw(n), expected) << "seed " << seed << ", draw " << i << ", n " << n;
        }
    }
}

TEST(RandomDie, SizesBelowOneGiveOneWithoutUsingTheSequence) {
    RandomDie die(9);
    std::mt19937 reference(9);
    for (int n : {0, -1, INT_MIN}) {
        EXPECT_EQ(die.draw(n), 1);
    }
    EXPECT_EQ(die.draw(6), std::uniform_int_distribution<int>(1, 6)(reference));
}

} // namespace
