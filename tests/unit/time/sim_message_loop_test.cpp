#include "tests/sim/sim_message_loop.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>
#include <vector>

namespace coilrun::sim {
namespace {

struct SimLoopTest : ::testing::Test {
    SimClock clock;
    SimMessageLoop loop{clock};
};

TEST_F(SimLoopTest, TimersTickEveryIntervalFromTheirStart) {
    std::vector<double> ticks;
    clock.advance(0.0005);
    loop.startTimer(10, [&] { ticks.push_back(clock.now()); });
    loop.runFor(0.035);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_NEAR(ticks[0], 0.0105, 1e-9);
    EXPECT_NEAR(ticks[2], 0.0305, 1e-9);
    EXPECT_NEAR(clock.now(), 0.0355, 1e-9);
}

TEST_F(SimLoopTest, ALateTimerTicksOnceNotOncePerMissedPeriod) {
    int ticks = 0;
    loop.startTimer(10, [&] { ++ticks; });
    loop.post([&] { clock.advance(0.1); }); // a handler that blocks the loop 100 ms
    loop.runFor(0.0);
    EXPECT_EQ(ticks, 0);
    loop.processMessages();
    EXPECT_EQ(ticks, 1);
}

TEST_F(SimLoopTest, PostsRunInOrderBeforeTimersAndEachCostsItsSlice) {
    std::vector<int> order;
    loop.startTimer(1, [&] { order.push_back(0); });
    for (int i = 1; i <= 3; ++i)
        loop.post([&, i] { order.push_back(i); });
    loop.runUntil([&] { return order.size() == 4; }, 1);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_NEAR(clock.now(), 0.003, 1e-9);
}

TEST_F(SimLoopTest, MessageTimeIsWhenTheMessageWasQueued) {
    const auto queuedAt = clock.tickCount();
    std::uint32_t seen = 0;
    loop.post([&] { seen = loop.currentMessageTime(); });
    clock.advance(0.5);
    loop.processMessages();
    EXPECT_EQ(seen, queuedAt);
}

TEST_F(SimLoopTest, ProcessMessagesLeavesWhatHandlersPostForLater) {
    int runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        loop.post(again);
    };
    loop.post(again);
    loop.processMessages();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(loop.pendingPosts(), 1u);
}

TEST_F(SimLoopTest, IdleRunsWhenTheQueueIsEmptyUntilItIsDone) {
    int calls = 0;
    loop.setIdleHandler([&] { return ++calls >= 3; });
    loop.runFor(0.5);
    EXPECT_EQ(calls, 3); // done: it waits for the next message
    loop.post([] {});
    loop.runFor(0.5);
    EXPECT_EQ(calls, 4);
}

TEST_F(SimLoopTest, TimerKillingItselfAndThrowingHandlersAreSafe) {
    platform::MessageLoop::TimerId id = 0;
    int ticks = 0;
    id = loop.startTimer(5, [&] {
        ++ticks;
        loop.killTimer(id);
        throw std::runtime_error("tick failed");
    });
    loop.runFor(0.1);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(loop.activeTimers(), 0u);
    ASSERT_EQ(loop.reported.size(), 1u);
    EXPECT_EQ(loop.reported[0], "tick failed");
}

TEST_F(SimLoopTest, RefusesTimersWhenTold) {
    loop.refuseTimers = true;
    EXPECT_EQ(loop.startTimer(10, [] {}), 0u);
    loop.refuseTimers = false;
    loop.timerLimit = 1;
    EXPECT_NE(loop.startTimer(10, [] {}), 0u);
    EXPECT_EQ(loop.startTimer(10, [] {}), 0u);
}

TEST_F(SimLoopTest, AnotherThreadWaitsForItsWorkOnTheLoop) {
    bool ran = false;
    bool rethrown = false;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        loop.runOnUiThreadAndWait([&] { ran = true; });
        try {
            loop.runOnUiThreadAndWait([] { throw std::runtime_error("x"); });
        } catch (const std::runtime_error&) {
            rethrown = true;
        }
        finished = true;
    });
    while (!finished) {
        loop.processMessages();
        std::this_thread::yield();
    }
    worker.join();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(rethrown);
    EXPECT_TRUE(loop.reported.empty());
}

TEST_F(SimLoopTest, QuitEndsTheRun) {
    loop.startTimer(10, [&] { loop.quit(); });
    loop.runFor(1);
    EXPECT_TRUE(loop.terminating());
}

} // namespace
} // namespace coilrun::sim
