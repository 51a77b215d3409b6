#include "engine/time/timer.h"
#include "tests/sim/sim_message_loop.h"

#include <gtest/gtest.h>
#include <vector>

namespace coilrun {
namespace {

struct TimerTest : ::testing::Test {
    sim::SimClock clock;
    sim::SimMessageLoop loop{clock};
};

TEST_F(TimerTest, ArmedOnlyWithIntervalEnabledAndHandler) {
    engine::TTimer timer(loop);
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.interval(), 1000u);
    EXPECT_FALSE(timer.armed()); // no handler yet
    timer.setOnTimer([] {});
    EXPECT_TRUE(timer.armed());
    timer.setInterval(0);
    EXPECT_FALSE(timer.armed());
    timer.setInterval(50);
    timer.setEnabled(false);
    EXPECT_FALSE(timer.armed());
    EXPECT_EQ(loop.activeTimers(), 0u);
}

TEST_F(TimerTest, EveryChangeRestartsTheFullPeriod) {
    engine::TTimer timer(loop);
    std::vector<double> ticks;
    timer.setInterval(100);
    timer.setOnTimer([&] { ticks.push_back(clock.now()); });
    loop.runFor(0.25);
    EXPECT_EQ(ticks.size(), 2u);
    timer.setEnabled(false);
    loop.runFor(0.5);
    timer.setEnabled(true); // at 0.75 s: first tick at 0.85 s
    loop.runFor(0.09);
    timer.setInterval(40); // at 0.84 s: re-armed, next at 0.88 s
    loop.runFor(0.05);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_NEAR(ticks[2], 0.88, 1e-9);
}

TEST_F(TimerTest, RefusalRaisesOutOfResources) {
    engine::TTimer timer(loop);
    loop.refuseTimers = true;
    try {
        timer.setOnTimer([] {});
        FAIL() << "no exception";
    } catch (const engine::EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Not enough timers available");
    }
    EXPECT_FALSE(timer.armed());
}

TEST_F(TimerTest, HandlerMayDisableItsTimerAndItsExceptionsAreReported) {
    engine::TTimer timer(loop);
    int ticks = 0;
    timer.setInterval(10);
    timer.setOnTimer([&] {
        if (++ticks == 2) {
            timer.setEnabled(false);
            throw std::runtime_error("second tick failed");
        }
    });
    loop.runFor(1);
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(loop.reported.size(), 1u);
    EXPECT_EQ(loop.reported[0], "second tick failed");
}

TEST_F(TimerTest, DestructionStopsTheWindowTimer) {
    int ticks = 0;
    {
        engine::TTimer timer(loop);
        timer.setInterval(10);
        timer.setOnTimer([&] { ++ticks; });
    }
    loop.runFor(1);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(loop.activeTimers(), 0u);
}

} // namespace
} // namespace coilrun
