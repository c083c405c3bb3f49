// The order in which the virtual clock fires its timers when several come due together,
// and its limit of three timers.
#include "VirtualTimer.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

namespace {

struct TieCase {
    const char* name;
    // Per timer a, b, c: its interval and the moment (ms) its count last began; -1 leaves
    // it stopped. Counts that begin at the same moment begin in the order a, b, c unless
    // `reverse` restarts them c, b, a.
    int interval[3];
    int startAt[3];
    bool reverse;
    const char* expected; // the first ticks, each as the timer's letter
};

void PrintTo(const TieCase& c, std::ostream* os) {
    *os << c.name;
}

class TieOrder : public ::testing::TestWithParam<TieCase> {};

TEST_P(TieOrder, TimersDueTogetherFireInTheOrderTheirCountsBegan) {
    const TieCase& tc = GetParam();
    VirtualClock clock;
    std::string fired;
    std::unique_ptr<VirtualTimer> timers[3];
    for (int i = 0; i < 3; ++i) {
        const char letter = static_cast<char>('a' + i);
        timers[i] = std::make_unique<VirtualTimer>(clock, [&fired, letter] { fired += letter; });
        timers[i]->setInterval(tc.interval[i]);
    }
    for (int at = 0; at <= 1000; ++at) {
        for (int n = 0; n < 3; ++n) {
            const int i = tc.reverse ? 2 - n : n;
            if (tc.startAt[i] == at) {
                timers[i]->stop();
                timers[i]->start();
            }
        }
        clock.runFor(at == 1000 ? 0 : 1);
        fired.clear(); // only what fires after the set-up counts
    }
    ASSERT_EQ(clock.now(), 1000);
    while (fired.size() < std::string(tc.expected).size() && clock.runNext()) {
    }
    EXPECT_EQ(fired, tc.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Clock, TieOrder,
    ::testing::Values(
        // a began at 1000, b at 1000 after it: both due at 1300, then a at 1600, b at 1600.
        TieCase{"same moment", {300, 300, 0}, {1000, 1000, -1}, false, "abab"},
        TieCase{"same moment reversed", {300, 300, 0}, {1000, 1000, -1}, true, "baba"},
        // c began first (at 900, due 1500), a and b at 1000 (due 1500): c, a, b.
        TieCase{"earlier count first", {500, 500, 600}, {1000, 1000, 900}, false, "cab"},
        // b due at 1200 alone, then c, a and b (counting again from 1200) all at 1400.
        TieCase{"three timers", {400, 200, 500}, {1000, 1000, 900}, false, "bcab"},
        TieCase{"a stopped timer never fires", {300, 300, 300}, {-1, 1000, 1000}, true, "cbcb"}),
    [](const ::testing::TestParamInfo<TieCase>& info) {
        std::string n = info.param.name;
        for (char& ch : n) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) {
                ch = '_';
            }
        }
        return n;
    });

TEST(VirtualClock, RefusesAFourthTimerAndTakesOneAgainOnceATimerIsGone) {
    VirtualClock clock;
    VirtualTimer a(clock), b(clock);
    {
        VirtualTimer c(clock);
        EXPECT_THROW(VirtualTimer d(clock), std::length_error);
        // The refused timer left the others running as they were.
        c.setInterval(100);
        c.start();
        EXPECT_EQ(clock.nextDue(), &c);
    }
    EXPECT_EQ(clock.nextDue(), nullptr) << "a destroyed timer must not fire";
    int ticks = 0;
    VirtualTimer e(clock, [&] { ++ticks; });
    e.setInterval(50);
    e.start();
    EXPECT_TRUE(clock.runNext());
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(clock.now(), 50);
}

} // namespace
