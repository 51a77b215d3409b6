#include "engine/input/pad_reader.h"

#include <gtest/gtest.h>

namespace coilrun {
namespace {

using platform::PadButton;
using platform::PadState;

struct PadReaderTest : ::testing::Test {
    PadReader reader;
    PadState pad{.connected = true};

    Controls poll() {
        Controls c;
        reader.read(pad, c);
        return c;
    }
    Controls stick(int x, int y) {
        pad.leftX = std::int16_t(x), pad.leftY = std::int16_t(y);
        return poll();
    }
};

TEST_F(PadReaderTest, TheLeftStickPushesOnceAnExcursionTowardTheAxisItLeansOnMost) {
    EXPECT_EQ(stick(PadReader::pushAt, 0), Controls{}) << "the dead zone's edge is no push";
    EXPECT_TRUE(stick(PadReader::pushAt + 1, 0).has(PadSignal::PushRight));
    EXPECT_EQ(stick(32767, 0), Controls{}) << "held: no second push";
    EXPECT_EQ(stick(PadReader::backAt + 1, 0), Controls{}) << "not back yet";
    EXPECT_EQ(stick(32767, 0), Controls{});
    stick(PadReader::backAt - 1, 0); // back near the centre
    EXPECT_TRUE(stick(-32768, 0).has(PadSignal::PushLeft));
    stick(0, 0);
    EXPECT_TRUE(stick(20000, -25000).has(PadSignal::PushUp)) << "Y is downward";
    stick(0, 0);
    const Controls down = stick(-20000, 20001);
    EXPECT_TRUE(down.has(PadSignal::PushDown));
    EXPECT_FALSE(down.has(PadSignal::PushLeft)) << "one direction a push";
}

TEST_F(PadReaderTest, ButtonsAreToldInThePollTheyGoDownAndYHoldsMute) {
    const std::pair<PadButton, PadSignal> presses[] = {
        {PadButton::A, PadSignal::Confirm},         {PadButton::Start, PadSignal::Confirm},
        {PadButton::B, PadSignal::Cancel},          {PadButton::Back, PadSignal::Cancel},
        {PadButton::DpadLeft, PadSignal::PushLeft}, {PadButton::DpadRight, PadSignal::PushRight},
        {PadButton::DpadUp, PadSignal::PushUp},     {PadButton::DpadDown, PadSignal::PushDown}};
    for (const auto& [button, signal] : presses) {
        pad.set(button, true);
        Controls expected;
        expected.set(signal);
        EXPECT_EQ(poll(), expected) << int(button);
        EXPECT_EQ(poll(), Controls{}) << "held " << int(button);
        pad.set(button, false);
        poll();
    }
    pad.set(PadButton::Y, true);
    EXPECT_TRUE(poll().has(PadSignal::Mute));
    EXPECT_TRUE(poll().has(PadSignal::Mute)) << "held, as the 'm' key is";
    EXPECT_EQ(poll().keys, 0) << "the pad sets no key of the keyboard's";

    pad = {.connected = false, .buttons = 0xffff, .leftX = 32767, .rightX = 32767};
    EXPECT_EQ(poll(), Controls{}) << "a pad that is gone asks nothing";
    pad = {.connected = true};
    pad.set(PadButton::A, true);
    EXPECT_TRUE(poll().has(PadSignal::Confirm)) << "a pad plugged in with A held confirms once";
}

TEST_F(PadReaderTest, TheRightStickGivesItsLeanBeyondTheDeadZone) {
    pad.rightX = PadReader::lookDeadZone;
    pad.rightY = -PadReader::lookDeadZone;
    Controls c = poll();
    EXPECT_EQ(c.stickX, 0);
    EXPECT_EQ(c.stickY, 0);
    pad.rightX = 32767;
    pad.rightY = -32768;
    c = poll();
    EXPECT_EQ(c.stickX, 127);
    EXPECT_EQ(c.stickY, -127);
    pad.rightX = (32767 + PadReader::lookDeadZone) / 2;
    EXPECT_NEAR(poll().stickX, 63, 1);
    EXPECT_EQ(stick(0, 0).pad, 0) << "the right stick pushes nothing";
}

} // namespace
} // namespace coilrun
