// Real-time behaviour on the Qt loop. Tolerances are wide on purpose: the machine
// running these is shared and loaded; the figures themselves are in bench/time.
#include "engine/time/async_timer.h"
#include "engine/time/cadencer.h"
#include "engine/time/timer.h"
#include "platform/qt/qt_message_loop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace coilrun::qt {
namespace {

void spinFor(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

struct NullScene : engine::ProgressTarget {
    void doProgress(double, double) override {}
};

TEST(AsyncTimerRealTime, TicksEvery10MsOnTheUiThreadOneAtATime) {
    QtClock clock;
    QtMessageLoop loop(clock);
    engine::TAsyncTimer timer(loop);
    std::vector<double> at;
    std::atomic<int> inside{0};
    int overlaps = 0;
    bool offThread = false;
    const auto uiThread = std::this_thread::get_id();
    timer.setInterval(10);
    timer.setOnTimer([&] {
        if (++inside > 1) ++overlaps;
        offThread = offThread || std::this_thread::get_id() != uiThread;
        at.push_back(clock.seconds());
        // A slow handler: the worker must wait rather than queue more ticks.
        if (at.size() % 10 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(25));
        --inside;
    });
    timer.setEnabled(true);
    spinFor(1000);
    timer.setEnabled(false);
    const auto count = at.size();
    spinFor(50);
    EXPECT_EQ(at.size(), count); // disabled: nothing more, not even a queued tick
    EXPECT_FALSE(offThread);
    EXPECT_EQ(overlaps, 0);
    std::vector<double> gaps;
    for (std::size_t i = 1; i < at.size(); ++i)
        if (i % 10 != 0) gaps.push_back(at[i] - at[i - 1]); // skip the gaps after slow ones
    ASSERT_GT(gaps.size(), 20u);
    std::sort(gaps.begin(), gaps.end());
    const double median = gaps[gaps.size() / 2];
    EXPECT_GT(median, 0.0095);
    EXPECT_LT(median, 0.016);
    // No burst after a slow tick: the next comes a full interval after it ended. On a
    // loaded machine a delivery can itself be late and the following one on time, so a
    // short gap now and then is no burst; many would be.
    const auto shortGaps =
        std::count_if(gaps.begin(), gaps.end(), [](double g) { return g < 0.005; });
    EXPECT_LE(shortGaps, std::ptrdiff_t(gaps.size() / 10));
    EXPECT_GT(count, 40u);
    EXPECT_LT(count, 101u);
}

TEST(AsyncTimerRealTime, DestroyingATimerWhileItsTickWaitsDoesNotHang) {
    QtClock clock;
    QtMessageLoop loop(clock);
    for (int i = 0; i < 5; ++i) {
        engine::TAsyncTimer timer(loop);
        timer.setInterval(1);
        timer.setOnTimer([] {});
        timer.setEnabled(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5)); // ticks queue up unserved
    }
    SUCCEED();
}

TEST(AsyncTimerRealTime, DestroyingATimerRunsNoOtherTimersTick) {
    // A scene going away object by object destroys its timers one after the other;
    // another timer's handler, run in between, would find half the scene gone.
    QtClock clock;
    QtMessageLoop loop(clock);
    bool destroying = false;
    int ticksDuringDestruction = 0;
    engine::TAsyncTimer other(loop);
    other.setInterval(1);
    other.setOnTimer([&] { ticksDuringDestruction += destroying; });
    other.setEnabled(true);
    for (int i = 0; i < 5; ++i) {
        auto timer = std::make_unique<engine::TAsyncTimer>(loop);
        timer->setInterval(1);
        timer->setOnTimer([] {});
        timer->setEnabled(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5)); // both timers' ticks wait
        destroying = true;
        timer.reset();
        destroying = false;
    }
    EXPECT_EQ(ticksDuringDestruction, 0);
    other.setEnabled(false);
}

TEST(AsapPumpRealTime, WindowTimersAndOtherThreadsGetThroughWhileItSpins) {
    QtClock clock;
    QtMessageLoop loop(clock);
    engine::CadencerPump pump(clock, loop);
    NullScene scene;
    engine::TGLCadencer cadencer(pump);
    int frames = 0;
    cadencer.setOnProgress([&](engine::TGLCadencer&, double, double) { ++frames; });
    cadencer.setScene(&scene);
    engine::TTimer timer(loop);
    int ticks = 0;
    timer.setInterval(10);
    timer.setOnTimer([&] { ++ticks; });
    std::atomic<bool> stop{false};
    std::atomic<int> delivered{0};
    std::atomic<bool> exited{false};
    std::thread input([&] { // stands for events arriving from outside the loop
        while (!stop) {
            loop.runOnUiThreadAndWait([&] { ++delivered; });
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        exited = true;
    });
    spinFor(500);
    cadencer.setEnabled(false);
    stop = true;
    while (!exited)
        loop.processMessages(); // it may be waiting on us
    input.join();
    // Far more frames than a 10 ms timer could give, but no spin through the loop
    // between them: about two steps a millisecond at most.
    EXPECT_GT(frames, 150);
    EXPECT_LT(frames, 2000);
    EXPECT_GT(ticks, 20);
    EXPECT_GT(delivered.load(), 20);
    spinFor(20);
    EXPECT_FALSE(pump.pumpExists());
}

} // namespace
} // namespace coilrun::qt
