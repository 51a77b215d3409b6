#include "engine/time/cadencer.h"
#include "engine/time/timer.h"
#include "tests/sim/sim_message_loop.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace coilrun {
namespace {

struct NullScene : engine::ProgressTarget {
    void doProgress(double, double) override {}
};

struct PumpTest : ::testing::Test {
    sim::SimClock clock;
    sim::SimMessageLoop loop{clock};
    engine::CadencerPump pump{clock, loop};
    NullScene scene;

    // An ASAP cadencer on the scene that counts its frames.
    std::unique_ptr<engine::TGLCadencer> counting(int& frames) {
        auto c = std::make_unique<engine::TGLCadencer>(pump);
        c->setOnProgress([&frames](engine::TGLCadencer&, double, double) { ++frames; });
        c->setScene(&scene);
        return c;
    }
};

TEST_F(PumpTest, AsapCadencerStepsOncePerCycleWhileTheClockMoves) {
    int frames = 0;
    double lastDelta = 0;
    auto c = counting(frames);
    c->setOnProgress([&](engine::TGLCadencer&, double d, double) {
        ++frames;
        lastDelta = d;
    });
    EXPECT_TRUE(pump.pumpExists());
    loop.runFor(0.1);
    EXPECT_NEAR(frames, 100, 1); // one posted tick per cycle, 1 ms each
    EXPECT_NEAR(lastDelta, 0.001, 1e-9);
}

TEST_F(PumpTest, CadencerWithoutSceneIsNeverPumped) {
    int frames = 0;
    engine::TGLCadencer c(pump);
    c.setOnProgress([&](engine::TGLCadencer&, double, double) { ++frames; });
    loop.runFor(0.1);
    EXPECT_EQ(frames, 0);
    EXPECT_FALSE(pump.pumpExists());
    c.setScene(&scene);
    loop.runFor(0.01);
    EXPECT_GT(frames, 0);
    c.setScene(nullptr);
    frames = 0;
    loop.runFor(0.01);
    EXPECT_EQ(frames, 0);
}

TEST_F(PumpTest, DisablingTheLastCadencerFreesThePumpAndEnablingRestartsIt) {
    int frames = 0;
    auto c = counting(frames);
    loop.runFor(0.01);
    c->setEnabled(false);
    loop.runFor(0.01);
    EXPECT_FALSE(pump.pumpExists());
    EXPECT_EQ(loop.pendingPosts(), 0u);
    const int before = frames;
    c->setEnabled(true);
    EXPECT_TRUE(pump.pumpExists());
    loop.runFor(0.01);
    EXPECT_NEAR(frames - before, 10, 1);
}

TEST_F(PumpTest, QuickDisableAndEnableKeepsOneChainOfTicks) {
    int frames = 0;
    auto c = counting(frames);
    loop.runFor(0.005);
    c->setEnabled(false);
    c->setEnabled(true); // before the pump has seen the empty slot
    loop.runFor(0.1);
    EXPECT_LE(loop.pendingPosts(), 1u);
    EXPECT_NEAR(frames, 105, 2);
}

TEST_F(PumpTest, WalksFromTheLastRegisteredDownAndSkipsManualOnes) {
    std::vector<int> order;
    engine::TGLCadencer a(pump), b(pump), manual(pump);
    a.setOnProgress([&](engine::TGLCadencer&, double, double) { order.push_back(1); });
    b.setOnProgress([&](engine::TGLCadencer&, double, double) { order.push_back(2); });
    manual.setOnProgress([&](engine::TGLCadencer&, double, double) { order.push_back(3); });
    manual.setMode(engine::TGLCadencerMode::cmManual);
    a.setScene(&scene);
    b.setScene(&scene);
    manual.setScene(&scene);
    loop.runFor(0.002);
    EXPECT_EQ(order, (std::vector<int>{2, 1, 2, 1}));
}

TEST_F(PumpTest, AnExceptionInAStepDisablesThatCadencerOnly) {
    int frames = 0;
    auto good = counting(frames);
    engine::TGLCadencer bad(pump);
    bad.setOnProgress(
        [](engine::TGLCadencer&, double, double) { throw std::runtime_error("bad frame"); });
    bad.setScene(&scene);
    loop.runFor(0.05);
    EXPECT_FALSE(bad.enabled());
    EXPECT_TRUE(good->enabled());
    EXPECT_NEAR(frames, 50, 1);
    EXPECT_EQ(loop.reported, std::vector<std::string>{"bad frame"});
}

TEST_F(PumpTest, WindowTimersKeepTickingWhileThePumpSpins) {
    int frames = 0;
    auto c = counting(frames);
    engine::TTimer timer(loop);
    int ticks = 0;
    timer.setInterval(10);
    timer.setOnTimer([&] { ++ticks; });
    loop.runFor(0.1);
    EXPECT_NEAR(ticks, 10, 1);
    EXPECT_GT(frames, 80);
}

TEST_F(PumpTest, MessagesFasterThanTheClockAreThrottled) {
    loop.messageCost = 0; // a tick costs nothing: only the throttle lets time pass
    int frames = 0;
    auto c = counting(frames);
    engine::TTimer timer(loop);
    int ticks = 0;
    timer.setInterval(5);
    timer.setOnTimer([&] { ++ticks; });
    bool sawThrottle = false;
    loop.runUntil(
        [&] {
            sawThrottle = sawThrottle || pump.throttled();
            return clock.now() >= 0.02;
        },
        0.02);
    EXPECT_TRUE(sawThrottle);
    EXPECT_NEAR(ticks, 4, 1);
    // About tooFastLimit frames per millisecond, then a 1 ms pause.
    EXPECT_GT(frames, 10 * engine::CadencerPump::tooFastLimit);
    EXPECT_LT(frames, 25 * (engine::CadencerPump::tooFastLimit + 2));
}

TEST_F(PumpTest, TerminationDisablesPumpedCadencers) {
    int frames = 0;
    auto c = counting(frames);
    loop.runFor(0.005);
    loop.quit();
    loop.processMessages(); // the pending tick
    EXPECT_FALSE(c->enabled());
    EXPECT_FALSE(pump.pumpExists());
}

TEST_F(PumpTest, ACadencerDestroyedByAnotherMidWalkIsSkipped) {
    int frames = 0;
    auto victim = counting(frames);
    engine::TGLCadencer killer(pump);
    killer.setOnProgress([&](engine::TGLCadencer&, double, double) { victim.reset(); });
    killer.setScene(&scene); // registered last: walked first
    loop.runFor(0.01);
    EXPECT_EQ(frames, 0);
    EXPECT_TRUE(killer.enabled());
}

TEST_F(PumpTest, IdleModeStepsThroughTheIdleHook) {
    int frames = 0;
    auto c = counting(frames);
    c->setMode(engine::TGLCadencerMode::cmApplicationIdle);
    EXPECT_TRUE(loop.hasIdleHandler());
    loop.runFor(0.05);
    EXPECT_NEAR(frames, 50, 2);
    // Another idle cadencer takes the hook; the first leaving does not clear it.
    int otherFrames = 0;
    auto other = counting(otherFrames);
    other->setMode(engine::TGLCadencerMode::cmApplicationIdle);
    c->setEnabled(false);
    EXPECT_TRUE(loop.hasIdleHandler());
    other->setMode(engine::TGLCadencerMode::cmManual);
    EXPECT_FALSE(loop.hasIdleHandler());
}

TEST(PumpSideBySide, TwoProgramsInOneProcessKeepTheirOwnPumps) {
    sim::SimClock clockA, clockB;
    sim::SimMessageLoop loopA(clockA), loopB(clockB);
    engine::CadencerPump pumpA(clockA, loopA), pumpB(clockB, loopB);
    NullScene scene;
    int framesA = 0, framesB = 0;
    engine::TGLCadencer a(pumpA), b(pumpB);
    a.setOnProgress([&](engine::TGLCadencer&, double, double) { ++framesA; });
    b.setOnProgress([&](engine::TGLCadencer&, double, double) { ++framesB; });
    a.setScene(&scene);
    b.setScene(&scene);
    loopA.runFor(0.02);
    b.setEnabled(false);
    loopB.runFor(0.02);
    EXPECT_NEAR(framesA, 20, 1);
    EXPECT_EQ(framesB, 0);
    EXPECT_TRUE(pumpA.pumpExists());
    EXPECT_FALSE(pumpB.pumpExists());
}

} // namespace
} // namespace coilrun
