#include "platform/qt/qt_message_loop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>
#include <vector>

namespace coilrun::qt {
namespace {

// Runs the application's event loop until done() or the time-out.
bool spin(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    return done();
}

struct QtLoopTest : ::testing::Test {
    QtClock clock;
    QtMessageLoop loop{clock};
};

TEST_F(QtLoopTest, PostsRunInOrderWithTheirQueueTime) {
    std::vector<int> order;
    std::uint32_t stamp = 0;
    const auto queuedAt = clock.tickCount();
    for (int i = 0; i < 3; ++i)
        loop.post([&, i] {
            order.push_back(i);
            stamp = loop.currentMessageTime();
        });
    ASSERT_TRUE(spin([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_LE(stamp - queuedAt, 1u);
}

TEST_F(QtLoopTest, TimersTickUntilKilledAndReportWhatTheyThrow) {
    int ticks = 0;
    std::vector<std::string> reports;
    loop.onReport = [&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            reports.emplace_back(x.what());
        }
    };
    platform::MessageLoop::TimerId id = 0;
    QElapsedTimer t;
    t.start();
    id = loop.startTimer(20, [&] {
        if (++ticks == 3) {
            loop.killTimer(id);
            throw std::runtime_error("third tick");
        }
    });
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(spin([&] { return ticks == 3; }));
    EXPECT_GE(t.elapsed(), 55);
    spin([] { return false; }, 60);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(reports, std::vector<std::string>{"third tick"});
}

TEST_F(QtLoopTest, RefusesTimersBeyondItsLimit) {
    loop.timerLimit = 1;
    const auto first = loop.startTimer(1000, [] {});
    EXPECT_NE(first, 0u);
    EXPECT_EQ(loop.startTimer(1000, [] {}), 0u);
    loop.killTimer(first);
    EXPECT_NE(loop.startTimer(1000, [] {}), 0u);
}

TEST_F(QtLoopTest, ProcessMessagesInsideAHandlerRunsTimersAndOtherPosts) {
    int ticks = 0;
    bool otherRan = false;
    bool done = false;
    loop.startTimer(5, [&] { ++ticks; });
    loop.post([&] {
        loop.post([&] { otherRan = true; });
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 50)
            loop.processMessages();
        done = true;
    });
    ASSERT_TRUE(spin([&] { return done; }));
    EXPECT_TRUE(otherRan);
    EXPECT_GE(ticks, 3);
}

TEST_F(QtLoopTest, WorkerThreadsRunTheirWorkOnTheUiThread) {
    std::thread::id ranOn;
    bool rethrown = false;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        loop.runOnUiThreadAndWait([&] { ranOn = std::this_thread::get_id(); });
        try {
            loop.runOnUiThreadAndWait([] { throw std::runtime_error("on the UI thread"); });
        } catch (const std::runtime_error&) {
            rethrown = true;
        }
        finished = true;
    });
    ASSERT_TRUE(spin([&] { return finished.load(); }));
    worker.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_TRUE(rethrown);
}

TEST_F(QtLoopTest, IdleHandlerRunsUntilDoneAndAgainAfterTheNextMessage) {
    int calls = 0;
    loop.setIdleHandler([&] { return ++calls >= 3; });
    spin([] { return false; }, 100);
    EXPECT_EQ(calls, 3);
    bool posted = false;
    loop.post([&] { posted = true; });
    spin([&] { return posted && calls > 3; }, 1000);
    EXPECT_GT(calls, 3);
    EXPECT_LT(calls, 10);
    loop.setIdleHandler(nullptr);
}

} // namespace
} // namespace coilrun::qt

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
