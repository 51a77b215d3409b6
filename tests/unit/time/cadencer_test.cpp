#include "engine/time/cadencer.h"
#include "tests/sim/sim_message_loop.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace coilrun {
namespace {

struct Step {
    double deltaTime;
    double newTime;
};

struct RecordingScene : engine::ProgressTarget {
    void doProgress(double deltaTime, double newTime) override {
        steps.push_back({deltaTime, newTime});
        if (during) during();
    }
    std::vector<Step> steps;
    std::function<void()> during;
};

struct CadencerTest : ::testing::Test {
    sim::SimClock clock;
    sim::SimMessageLoop loop{clock};
    engine::CadencerPump pump{clock, loop};
    RecordingScene scene;
    std::vector<Step> steps;

    std::unique_ptr<engine::TGLCadencer> manual() {
        auto c = std::make_unique<engine::TGLCadencer>(pump);
        c->setMode(engine::TGLCadencerMode::cmManual);
        c->setScene(&scene);
        c->setOnProgress([this](engine::TGLCadencer&, double d, double t) {
            steps.push_back({d, t});
        });
        return c;
    }
};

TEST_F(CadencerTest, NewCadencerDefaults) {
    engine::TGLCadencer c(pump);
    EXPECT_TRUE(c.enabled());
    EXPECT_EQ(c.mode(), engine::TGLCadencerMode::cmASAP);
    EXPECT_EQ(c.timeReference(), engine::TGLCadencerTimeReference::cmPerformanceCounter);
    EXPECT_EQ(c.timeMultiplier(), 1.0);
    EXPECT_EQ(c.sleepLength(), -1);
    EXPECT_EQ(c.scene(), nullptr);
    EXPECT_FALSE(pump.pumpExists());
}

TEST_F(CadencerTest, TimeSpentDisabledDoesNotCount) {
    auto c = manual();
    clock.advance(1);
    c->progress();
    clock.advance(0.5);
    c->setEnabled(false);
    clock.advance(3);
    c->progress(); // disabled: no step
    c->setEnabled(true);
    clock.advance(0.5);
    c->progress();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_NEAR(steps[1].deltaTime, 1.0, 1e-9);
    EXPECT_NEAR(steps[1].newTime, 2.0, 1e-9);
}

TEST_F(CadencerTest, MaxDeltaTimeDropsTheExcessOfAStall) {
    auto c = manual();
    c->setMaxDeltaTime(0.1);
    clock.advance(1);
    c->progress();
    clock.advance(0.05);
    c->progress();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_NEAR(steps[0].deltaTime, 0.1, 1e-9);
    EXPECT_NEAR(steps[0].newTime, 0.1, 1e-9);
    EXPECT_NEAR(steps[1].deltaTime, 0.05, 1e-9);
    EXPECT_NEAR(steps[1].newTime, 0.15, 1e-9); // the other 0.9 s is gone
}

TEST_F(CadencerTest, FixedDeltaTimeMakesWholeStepsAndKeepsTheRestPending) {
    auto c = manual();
    c->setFixedDeltaTime(0.0025);
    clock.advance(0.002);
    c->progress();
    EXPECT_TRUE(steps.empty()); // less than one step
    clock.advance(0.004);       // 0.006 s in all
    c->progress();
    ASSERT_EQ(steps.size(), 2u);
    for (const auto& s : steps) {
        EXPECT_DOUBLE_EQ(s.deltaTime, 0.0025);
        EXPECT_NEAR(s.newTime, 0.006, 1e-9); // the same for every sub-step
    }
    ASSERT_EQ(scene.steps.size(), 2u);
    EXPECT_NEAR(scene.steps[0].newTime, 0.0025, 1e-9); // the scene gets each step's end
    EXPECT_NEAR(scene.steps[1].newTime, 0.005, 1e-9);
    EXPECT_NEAR(c->lastTime(), 0.005, 1e-9);
    clock.advance(0.002); // with the pending 0.001: one more step
    c->progress();
    EXPECT_EQ(steps.size(), 3u);
}

TEST_F(CadencerTest, AHandlerThatDisablesItsCadencerGetsNoFurtherSubStep) {
    auto c = manual();
    c->setFixedDeltaTime(0.0025);
    c->setOnProgress([&](engine::TGLCadencer& self, double d, double t) {
        steps.push_back({d, t});
        self.setEnabled(false);
    });
    clock.advance(0.01); // four sub-steps owed
    c->progress();
    EXPECT_EQ(steps.size(), 1u);
    c->setOnProgress([this](engine::TGLCadencer&, double d, double t) { steps.push_back({d, t}); });
    c->setEnabled(true);
    clock.advance(0.001);
    c->progress();
    EXPECT_EQ(steps.size(), 4u) << "the owed steps come once it runs again";
}

TEST_F(CadencerTest, MultiplierZeroFreezesAndALaterOneResumesContinuously) {
    auto c = manual();
    clock.advance(1);
    c->setTimeMultiplier(0);
    EXPECT_FALSE(c->enabled());
    clock.advance(5);
    c->setTimeMultiplier(2);
    EXPECT_TRUE(c->enabled());
    EXPECT_NEAR(c->getCurrentTime(), 1.0, 1e-9);
    clock.advance(1);
    EXPECT_NEAR(c->getCurrentTime(), 3.0, 1e-9);
    c->setTimeMultiplier(0.5); // non-zero to non-zero keeps continuity too
    clock.advance(2);
    EXPECT_NEAR(c->getCurrentTime(), 4.0, 1e-9);
}

TEST_F(CadencerTest, MinDeltaTimeWaitsAndAZeroStepSkipsOnlyTheScene) {
    auto c = manual();
    c->setMinDeltaTime(0.01);
    clock.advance(0.004);
    c->progress();
    EXPECT_TRUE(steps.empty());
    c->setMinDeltaTime(0);
    c->progress();
    c->progress(); // no time has passed
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[1].deltaTime, 0.0);
    EXPECT_EQ(scene.steps.size(), 1u);
}

TEST_F(CadencerTest, StepFromWithinTheScenesAdvanceIsIgnored) {
    auto c = manual();
    int progressingSeen = 0;
    scene.during = [&] {
        progressingSeen = c->progressing();
        c->progress();
    };
    clock.advance(0.1);
    c->progress();
    EXPECT_LT(progressingSeen, 0);
    EXPECT_EQ(scene.steps.size(), 1u);
    EXPECT_EQ(c->progressing(), 0);
}

struct Counter : engine::TGLCadencedComponent {
    std::vector<int>* order = nullptr;
    int id = 0;
    std::function<void()> during;
    void doProgress(const engine::ProgressTimes&) override {
        order->push_back(id);
        if (during) during();
    }
};

TEST_F(CadencerTest, SubscribersRunInOrderAndTheListMayGrowDuringAStep) {
    auto c = manual();
    std::vector<int> order;
    Counter a, b, late;
    a.order = b.order = late.order = &order;
    a.id = 1, b.id = 2, late.id = 3;
    a.setCadencer(c.get());
    b.setCadencer(c.get());
    c->subscribe(b); // no duplicates
    b.during = [&] { late.setCadencer(c.get()); };
    c->progress();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(CadencerTest, LinksAreClearedWhenEitherSideIsDestroyed) {
    auto c = manual();
    Counter kept;
    std::vector<int> order;
    kept.order = &order;
    {
        Counter gone;
        gone.order = &order;
        gone.setCadencer(c.get());
        kept.setCadencer(c.get());
    }
    EXPECT_EQ(c->subscribers().size(), 1u);
    c.reset();
    EXPECT_EQ(kept.cadencer(), nullptr);

    auto other = manual();
    {
        RecordingScene transient;
        other->setScene(&transient);
    }
    EXPECT_EQ(other->scene(), nullptr);
}

TEST_F(CadencerTest, TimeReferences) {
    auto c = manual();
    c->setTimeReference(engine::TGLCadencerTimeReference::cmExternal);
    c->setExternalTime(c->originTime() + 7.5);
    EXPECT_NEAR(c->getCurrentTime(), 7.5, 1e-9);
    EXPECT_NEAR(c->getCurrentTime(), 7.5, 1e-9); // reading it does not feed back

    c->setTimeReference(engine::TGLCadencerTimeReference::cmRTC);
    const double before = c->getCurrentTime();
    clock.advance(2);
    EXPECT_NEAR(c->getCurrentTime() - before, 2.0, 1e-4); // days in a double: ~10 us
}

TEST(CadencerWithoutCounter, TimeStandsStillInsteadOfTurningNaN) {
    sim::SimClock clock;
    clock.setHasCounter(false);
    sim::SimMessageLoop loop(clock);
    engine::CadencerPump pump(clock, loop);
    engine::TGLCadencer c(pump);
    c.setMode(engine::TGLCadencerMode::cmManual);
    double seen = -1;
    c.setOnProgress([&](engine::TGLCadencer&, double d, double) { seen = d; });
    clock.advance(1);
    c.progress();
    EXPECT_EQ(seen, 0.0);
}

TEST_F(CadencerTest, SleepLengthPausesBeforeEachStep) {
    auto c = manual();
    c->setSleepLength(5);
    c->progress();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_NEAR(steps[0].deltaTime, 0.005, 1e-9);
}

TEST_F(CadencerTest, DestroyingACadencerDuringItsOwnStepIsAnAssertionFailure) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto c = manual();
            auto* raw = c.release();
            raw->setOnProgress([raw](engine::TGLCadencer&, double, double) { delete raw; });
            raw->progress();
        },
        "Assertion failure");
}

} // namespace
} // namespace coilrun
