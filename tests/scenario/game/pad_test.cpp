// The game played with a game controller alone: no key is pressed and the pointer
// never moves.
#include "tests/scenario/game/game_driver.h"

#include <gtest/gtest.h>

namespace coilrun::scenario {
namespace {

using platform::PadButton;

struct Pad {
    GameDriver& g;
    platform::PadState& state = g.platform.gamepadImpl.pad;

    explicit Pad(GameDriver& driver) : g(driver) { state.connected = true; }
    void press(PadButton b) {
        state.set(b, true);
        g.run(0.05);
        state.set(b, false);
        g.run(0.05);
    }
    void lean(int x, int y) { state.leftX = std::int16_t(x), state.leftY = std::int16_t(y); }
    void push(int x, int y) {
        lean(x, y);
        g.run(0.05);
        lean(0, 0);
        g.run(0.05);
    }
    void down() { push(0, 32767); }
};

TEST(Pad, FromTheMenuThroughALevelPauseAndTheResultScreenToQuit) {
    GameDriver g;
    Pad pad(g);
    const SceneLinks& l = g.links();
    g.toMainMenu();
    pad.press(PadButton::A); // nothing selected: A is Space
    EXPECT_FALSE(l.CadencerMenu->enabled());
    ASSERT_TRUE(g.untilControlsLive());
    g.run(1);

    pad.press(PadButton::B);
    EXPECT_TRUE(l.Cadencer4->enabled()) << "B pauses";
    g.run(0.4);
    pad.press(PadButton::A);
    EXPECT_TRUE(l.Cadencer1->enabled()) << "A resumes";

    pad.lean(-32768, 0); // held: the snake runs on to the wall
    ASSERT_TRUE(g.runUntil([&] { return g.state().levelOver; }, 10));
    pad.lean(0, 0);
    g.run(1);
    pad.press(PadButton::A);
    ASSERT_TRUE(g.untilControlsLive()) << "A on the result screen starts the next level";
    g.run(1);

    pad.press(PadButton::Back);
    ASSERT_TRUE(l.Cadencer4->enabled()) << "Back pauses too";
    g.run(0.4);
    for (int i = 0; i < 5 && l.menuPause->selectedText() != "Quit"; ++i)
        pad.down();
    ASSERT_EQ(l.menuPause->selectedText(), "Quit");
    pad.press(PadButton::A);
    g.run(1);
    EXPECT_FALSE(g.mainWindow().visible) << "Quit went to the score browser";
    EXPECT_TRUE(g.platform.windows.at(2)->visible);
}

TEST(Pad, TheMainMenuSkipsSpacersAndBGoesBack) {
    GameDriver g(3);
    Pad pad(g);
    const SceneLinks& l = g.links();
    g.toMainMenu();
    pad.down();
    EXPECT_EQ(l.menuMain1->selected(), 0) << "the first push takes the first line";
    pad.down();
    EXPECT_EQ(l.menuMain1->selectedText(), "CHOOSE LEVEL") << "past the spacer";
    pad.press(PadButton::A);
    ASSERT_TRUE(g.state().levelListMode);
    pad.press(PadButton::B);
    EXPECT_FALSE(g.state().levelListMode) << "B is GO BACK";
    EXPECT_EQ(l.menuMain1->selectedText(), "CHOOSE LEVEL") << "back where the list was asked for";

    pad.push(32767, 0); // right moves on as down does
    EXPECT_EQ(l.menuMain2->selectedText(), "HIGH SCORE");
    EXPECT_EQ(l.menuMain1->selected(), -1) << "one line selected, so a click acts on it alone";
    pad.press(PadButton::A);
    ASSERT_TRUE(g.state().overlayOpen);
    pad.press(PadButton::B);
    EXPECT_FALSE(g.state().overlayOpen);
    EXPECT_TRUE(l.CadencerMenu->enabled()) << "no game was started on the way";

    pad.push(0, -32768);
    EXPECT_EQ(l.menuMain1->selectedText(), "CHOOSE LEVEL") << "up from the line that opened it";
}

TEST(Pad, LeftAndRightFollowTheViewAndTheRightStickTurnsIt) {
    GameDriver g;
    Pad pad(g);
    const SceneLinks& l = g.links();
    g.toMainMenu();
    g.startGame();
    l.Dummy2->setDirection({1, 0, 0}); // the rig turned a quarter
    pad.push(32767, 0);
    EXPECT_EQ(g.state().requestedDirection, "w");
    l.Dummy2->setDirection({0, 0, -1}); // looking the other way along Z
    pad.push(32767, 0);
    EXPECT_EQ(g.state().requestedDirection, "a");

    const float before = l.Camera->direction().x();
    g.platform.gamepadImpl.pad.rightX = 32767;
    g.run(0.02);
    g.platform.gamepadImpl.pad.rightX = 0;
    EXPECT_GT(l.Camera->direction().x(), before) << "right turns the view right";

    g.mainWindow().active = false;
    g.state().requestedDirection = "";
    pad.push(32767, 0);
    EXPECT_EQ(g.state().requestedDirection, "") << "the pad counts in the game window only";
}

} // namespace
} // namespace coilrun::scenario
