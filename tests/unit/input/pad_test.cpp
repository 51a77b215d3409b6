#include "engine/input/pad_reader.h"

#include <gtest/gtest.h>

namespace coilrun {
namespace {

using platform::PadButton;
using platform::PadState;

struct PadReaderTest : ::testing::Test {
    engine::PadReader reader;
    PadState pad{.connected = true};

    engine::Controls poll() {
        engine::Controls c;
        reader.read(pad, c);
        return c;
    }
    engine::Controls stick(int x, int y) {
        pad.leftX = std::int16_t(x), pad.leftY = std::int16_t(y);
        return poll();
    }
};

TEST_F(PadReaderTest, TheLeftStickPushesOnceAnExcursionTowardTheAxisItLeansOnMost) {
    EXPECT_EQ(stick(engine::PadReader::pushAt, 0), engine::Controls{})
        << "the dead zone's edge is no push";
    EXPECT_TRUE(stick(engine::PadReader::pushAt + 1, 0).has(engine::PadSignal::PushRight));
    EXPECT_EQ(stick(32767, 0), engine::Controls{}) << "held: no second push";
    EXPECT_EQ(stick(engine::PadReader::backAt + 1, 0), engine::Controls{}) << "not back yet";
    EXPECT_EQ(stick(32767, 0), engine::Controls{});
    stick(engine::PadReader::backAt - 1, 0); // back near the centre
    EXPECT_TRUE(stick(-32768, 0).has(engine::PadSignal::PushLeft));
    stick(0, 0);
    EXPECT_TRUE(stick(20000, -25000).has(engine::PadSignal::PushUp)) << "Y is downward";
    stick(0, 0);
    const engine::Controls down = stick(-20000, 20001);
    EXPECT_TRUE(down.has(engine::PadSignal::PushDown));
    EXPECT_FALSE(down.has(engine::PadSignal::PushLeft)) << "one direction a push";
}

TEST_F(PadReaderTest, ButtonsAreToldInThePollTheyGoDownAndYHoldsMute) {
    const std::pair<PadButton, engine::PadSignal> presses[] = {
        {PadButton::A, engine::PadSignal::Confirm},
        {PadButton::Start, engine::PadSignal::Confirm},
        {PadButton::B, engine::PadSignal::Cancel},
        {PadButton::Back, engine::PadSignal::Cancel},
        {PadButton::DpadLeft, engine::PadSignal::PushLeft},
        {PadButton::DpadRight, engine::PadSignal::PushRight},
        {PadButton::DpadUp, engine::PadSignal::PushUp},
        {PadButton::DpadDown, engine::PadSignal::PushDown}};
    for (const auto& [button, signal] : presses) {
        pad.set(button, true);
        engine::Controls expected;
        expected.set(signal);
        EXPECT_EQ(poll(), expected) << int(button);
        EXPECT_EQ(poll(), engine::Controls{}) << "held " << int(button);
        pad.set(button, false);
        poll();
    }
    pad.set(PadButton::Y, true);
    EXPECT_TRUE(poll().has(engine::PadSignal::Mute));
    EXPECT_TRUE(poll().has(engine::PadSignal::Mute)) << "held, as the 'm' key is";
    EXPECT_EQ(poll().keys, 0) << "the pad sets no key of the keyboard's";

    pad = {.connected = false, .buttons = 0xffff, .leftX = 32767, .rightX = 32767};
    EXPECT_EQ(poll(), engine::Controls{}) << "a pad that is gone asks nothing";
    pad = {.connected = true};
    pad.set(PadButton::A, true);
    EXPECT_TRUE(poll().has(engine::PadSignal::Confirm))
        << "a pad plugged in with A held confirms once";
}

TEST_F(PadReaderTest, TheRightStickGivesItsLeanBeyondTheDeadZone) {
    pad.rightX = engine::PadReader::lookDeadZone;
    pad.rightY = -engine::PadReader::lookDeadZone;
    engine::Controls c = poll();
    EXPECT_EQ(c.stickX, 0);
    EXPECT_EQ(c.stickY, 0);
    pad.rightX = 32767;
    pad.rightY = -32768;
    c = poll();
    EXPECT_EQ(c.stickX, 127);
    EXPECT_EQ(c.stickY, -127);
    pad.rightX = (32767 + engine::PadReader::lookDeadZone) / 2;
    EXPECT_NEAR(poll().stickX, 63, 1);
    EXPECT_EQ(stick(0, 0).pad, 0) << "the right stick pushes nothing";
}

} // namespace
} // namespace coilrun
