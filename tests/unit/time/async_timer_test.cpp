#include "engine/time/async_timer.h"
#include "tests/sim/sim_message_loop.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace coilrun {
namespace {

struct AsyncTimerTest : ::testing::Test {
    sim::SimClock clock;
    sim::SimMessageLoop loop{clock};
    std::vector<double> ticks;

    void record(engine::TAsyncTimer& t) {
        t.setOnTimer([this] { ticks.push_back(clock.now()); });
    }
};

TEST_F(AsyncTimerTest, TicksEveryIntervalFromEnabling) {
    engine::TAsyncTimer timer(loop);
    EXPECT_FALSE(timer.enabled());
    EXPECT_EQ(timer.interval(), 1000u);
    EXPECT_EQ(timer.threadPriority(), engine::TThreadPriority::tpTimeCritical);
    record(timer);
    timer.setInterval(10);
    clock.advance(0.0003);
    timer.setEnabled(true);
    loop.runFor(0.035);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_NEAR(ticks[0], 0.0103, 1e-9);
    EXPECT_NEAR(ticks[2], 0.0303, 1e-9);
}

TEST_F(AsyncTimerTest, IntervalZeroDoesNotStartTheWorker) {
    engine::TAsyncTimer timer(loop);
    record(timer);
    timer.setInterval(0);
    timer.setEnabled(true);
    loop.runFor(0.1);
    EXPECT_TRUE(ticks.empty());
    timer.setInterval(20); // an enabled timer that gets an interval starts counting
    loop.runFor(0.05);
    EXPECT_EQ(ticks.size(), 2u);
}

TEST_F(AsyncTimerTest, ATickQueuedBeforeDisablingDoesNotCallOnTimer) {
    engine::TAsyncTimer timer(loop);
    record(timer);
    timer.setInterval(10);
    timer.setEnabled(true);
    loop.runFor(0.010); // the worker has seen the tick; its delivery waits in the queue
    ASSERT_EQ(loop.pendingPosts(), 1u);
    timer.setEnabled(false);
    loop.runFor(0.1);
    EXPECT_TRUE(ticks.empty());
}

TEST_F(AsyncTimerTest, APausedWorkerKeepsItsDeadline) {
    engine::TAsyncTimer timer(loop);
    record(timer);
    timer.setInterval(100);
    timer.setEnabled(true);
    loop.runFor(0.03);
    timer.setEnabled(false);
    loop.runFor(0.02);
    timer.setEnabled(true); // at 50 ms: the deadline at 100 ms still holds
    loop.runFor(0.06);
    timer.setEnabled(false);
    loop.runFor(0.2);
    timer.setEnabled(true); // at 310 ms, long past the 200 ms deadline: at once
    loop.runFor(0.15);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_NEAR(ticks[0], 0.100, 1e-9);
    EXPECT_NEAR(ticks[1], 0.310, 1e-9);
    EXPECT_NEAR(ticks[2], 0.410, 1e-9);
}

TEST_F(AsyncTimerTest, AnOverrunningHandlerPushesTheDeadlineWithoutABurst) {
    engine::TAsyncTimer timer(loop);
    timer.setInterval(10);
    timer.setOnTimer([&] {
        ticks.push_back(clock.now());
        if (ticks.size() == 1) clock.advance(0.035); // a slow tick
    });
    timer.setEnabled(true);
    loop.runFor(0.07);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_NEAR(ticks[1], 0.055, 1e-9); // 10 ms after the slow tick ended
    EXPECT_NEAR(ticks[2], 0.065, 1e-9);
}

TEST_F(AsyncTimerTest, AnIntervalChangeAppliesFromTheNextDeadline) {
    engine::TAsyncTimer timer(loop);
    record(timer);
    timer.setInterval(10);
    timer.setEnabled(true);
    loop.runFor(0.005);
    timer.setInterval(30);
    loop.runFor(0.05);
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_NEAR(ticks[0], 0.010, 1e-9);
    EXPECT_NEAR(ticks[1], 0.040, 1e-9);
}

TEST_F(AsyncTimerTest, AnExceptionInOnTimerIsReportedAndEndsTheTimer) {
    engine::TAsyncTimer timer(loop);
    int calls = 0;
    timer.setInterval(10);
    timer.setOnTimer([&] {
        ++calls;
        throw std::runtime_error("timer failed");
    });
    timer.setEnabled(true);
    loop.runFor(0.1);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(timer.workerEnded());
    EXPECT_EQ(loop.reported, std::vector<std::string>{"timer failed"});
}

TEST_F(AsyncTimerTest, DestroyingATimerWithATickInFlightIsSafe) {
    {
        auto timer = std::make_unique<engine::TAsyncTimer>(loop);
        record(*timer);
        timer->setInterval(10);
        timer->setEnabled(true);
        loop.runFor(0.010);
        ASSERT_EQ(loop.pendingPosts(), 1u);
    }
    loop.runFor(0.05);
    EXPECT_TRUE(ticks.empty());
}

} // namespace
} // namespace coilrun
