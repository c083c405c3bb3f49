// The timer semantics the engine relies on, held by both the window's timer and the
// virtual one the simulator and the engine tests use. The window's runs on the real
// clock: the waits only ever last longer than asked, so each check is written to hold
// however late the event loop comes back.
#include "GameTimer.h"
#include "VirtualClock.h"
#include "VirtualTimer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtTimerClock {
public:
    QtTimerClock() {
        static int argc = 1;
        static char name[] = "engine_timer_contract_test";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        timer_.setHandler([this] { ++ticks; });
    }
    EngineTimer& timer() { return timer_; }
    void wait(int ms) {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }
    int ticks = 0;

private:
    GameTimer timer_;
};

class VirtualTimerClock {
public:
    VirtualTimerClock() : timer_(clock_, [this] { ++ticks; }) {}
    EngineTimer& timer() { return timer_; }
    void wait(int ms) { clock_.runFor(ms); }
    int ticks = 0;

private:
    VirtualClock clock_;
    VirtualTimer timer_;
};

template <typename Clock> class EngineTimerContract : public ::testing::Test {
protected:
    Clock clock;
    EngineTimer& timer = clock.timer();
};

using Clocks = ::testing::Types<QtTimerClock, VirtualTimerClock>;
TYPED_TEST_SUITE(EngineTimerContract, Clocks);

TYPED_TEST(EngineTimerContract, FiresOnlyOnceItsIntervalHasPassed) {
    this->timer.setInterval(1000);
    this->timer.start();
    EXPECT_TRUE(this->timer.isActive());
    this->clock.wait(100);
    EXPECT_EQ(this->clock.ticks, 0);
    this->clock.wait(1100);
    EXPECT_GE(this->clock.ticks, 1);
}

TYPED_TEST(EngineTimerContract, AStoppedTimerNeverFires) {
    this->timer.setInterval(300);
    this->timer.start();
    this->timer.stop();
    EXPECT_FALSE(this->timer.isActive());
    this->clock.wait(800);
    EXPECT_EQ(this->clock.ticks, 0);
}

TYPED_TEST(EngineTimerContract, TheSameIntervalOrAStartAgainKeepsTheCount) {
    this->timer.setInterval(1000);
    this->timer.start();
    this->clock.wait(600);
    this->timer.setInterval(1000);
    this->timer.start();
    EXPECT_EQ(this->timer.interval(), 1000);
    // A restarted count would not come due before 1600 ms.
    this->clock.wait(600);
    EXPECT_GE(this->clock.ticks, 1);
}

TYPED_TEST(EngineTimerContract, ANewIntervalRestartsTheCount) {
    this->timer.setInterval(1000);
    this->timer.start();
    this->clock.wait(500);
    this->timer.setInterval(2000);
    // Counted from the change: due at 2500 ms, not at 2000 nor at 1000.
    this->clock.wait(1000);
    EXPECT_EQ(this->clock.ticks, 0);
    this->clock.wait(1200);
    EXPECT_GE(this->clock.ticks, 1);
}

TYPED_TEST(EngineTimerContract, NoIntervalMeansRunningButNeverDue) {
    this->timer.setInterval(0);
    this->timer.start();
    this->clock.wait(300);
    EXPECT_TRUE(this->timer.isActive());
    EXPECT_EQ(this->clock.ticks, 0);
}

} // namespace
