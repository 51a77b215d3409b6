// Stories a player lives, on the simulated platform in virtual time: from the
// menu into level 1 and through it, crashes, pauses, the result screen and on.
#include "engine/platform/virtual_keys.h"
#include "game/hud_texts.h"
#include "game/score.h"
#include "game/steering.h"
#include "tests/scenario/game/game_driver.h"

#include <cmath>
#include <gtest/gtest.h>

namespace coilrun::scenario {
namespace {

const char* kKey = "Software\\Quorvex\\Coilrun";

TEST(PlayLevelOne, FromTheMenuToYouWinByTheArrowKeys) {
    GameDriver g;
    g.toMainMenu();
    EXPECT_EQ(g.links().TextMain1->text(), "LEVEL 1");
    EXPECT_TRUE(g.links().menuMain1->visible());
    g.startGame();
    ASSERT_TRUE(g.state().controlsActive);
    EXPECT_EQ(g.state().level, 1);
    EXPECT_EQ(g.links().Stage->scale().z(), 0.01f) << "level 1 plays on the flat stage";

    ASSERT_TRUE(g.chaseSpecks([&] { return g.won(); }, 120)) << g.state().snakeLength;
    const GameState& s = g.state();
    // The score of this frame, from the clock as it stood when the level was won.
    EXPECT_EQ(s.score, levelScore(8, 8, s.clockMinutes, s.clockSeconds, s.clockHundredths, 2));
    EXPECT_GT(s.score, 0);
    EXPECT_EQ(g.links().stagetextA->text(), "Score: " + std::to_string(s.score));
    EXPECT_EQ(s.level, 2);
    EXPECT_EQ(s.maxLevel, 1) << "winning the frontier level leaves maxLevel";
    EXPECT_EQ(g.platform.settingsImpl.keys[kKey]["level"], "2");
    EXPECT_EQ(g.platform.settingsImpl.keys[kKey]["Creator"], "Velmora");
    EXPECT_EQ(s.bestScore, s.score);
    EXPECT_EQ(g.cadencerOverlaps(), 0);

    // The result screen: win music, the menu fades in, then Space starts level 2.
    g.run(1);
    EXPECT_TRUE(g.links().menuLevel->visible());
    EXPECT_EQ(s.soundName, "win");
    g.tap(vk::space);
    ASSERT_TRUE(g.untilControlsLive());
    EXPECT_EQ(s.level, 2);
    EXPECT_EQ(s.snakeLength, 2);
    EXPECT_EQ(g.links().Stage->scale().z(), 1.0f) << "the full cube is back";
    EXPECT_EQ(g.cadencerOverlaps(), 0);
}

} // namespace
} // namespace coilrun::scenario

namespace coilrun::scenario {
namespace {

// The four directions of a 2 x 2 loop in a vertical plane from the cell the head
// is heading for, clear of walls, body and speck; empty when there is none here.
std::vector<std::string> loopFrom(GameDriver& g) {
    GameState& s = g.state();
    const Cell c0 = g.headingCell();
    for (const char* v : {"up", "down"}) {
        if (v == oppositeOf(s.stepDirection)) continue;
        const int dy = std::string(v) == "up" ? 1 : -1;
        for (const char* h : {"d", "a", "s", "w"}) {
            const engine::Vec3 step = stepVector(h);
            const Cell above{c0.x, c0.y + dy, c0.z};
            const Cell corner{c0.x + int(step.x), c0.y + dy, c0.z + int(step.z)};
            const Cell side{c0.x + int(step.x), c0.y, c0.z + int(step.z)};
            bool clear = true;
            for (const Cell& c : {above, corner, side})
                clear =
                    clear && insidePlayfield(c) && !(c == s.speckCell) && s.occupancy.at(c) == 0;
            if (clear) return {v, h, oppositeOf(v), oppositeOf(h)};
        }
    }
    return {};
}

// With four body spheres the fourth step of a 2 x 2 loop runs into the body.
void runIntoTheBody(GameDriver& g) {
    const std::vector<std::string> loop = loopFrom(g);
    ASSERT_FALSE(loop.empty()) << "no room for a loop";
    ASSERT_TRUE(g.follow(
        loop, [&] { return g.state().levelOver; }, 10));
}

TEST(Crash, IntoTheBodyOnLevelTwoEndsTheLevelWithoutAdvance) {
    GameDriver g(2);
    g.toMainMenu();
    EXPECT_EQ(g.links().TextMain1->text(), "LEVEL 2");
    g.startGame();
    EXPECT_EQ(g.state().level, 2);
    EXPECT_TRUE(g.links().map2D->visible());
    ASSERT_TRUE(g.chaseSpecks([&] { return g.state().snakeLength == 4; }, 60));
    EXPECT_EQ(g.links().TextLevel2->text(), "67% DONE");
    runIntoTheBody(g);
    const GameState& s = g.state();
    EXPECT_TRUE(s.levelOver);
    EXPECT_EQ(s.snakeLength, 4);
    g.run(0.2);
    EXPECT_EQ(s.level, 2) << "a lost level is played again";
    EXPECT_TRUE(g.lost());
    EXPECT_EQ(g.links().stagetext1->text(), "GAME OVER");
    EXPECT_EQ(s.soundName, "Game_Over");
    EXPECT_EQ(g.cadencerOverlaps(), 0);
}

TEST(Crash, LeavingTheBoxFromTheOuterLayer) {
    GameDriver g;
    g.toMainMenu();
    g.startGame();
    ASSERT_TRUE(g.leaveTheBox(vk::right));
    EXPECT_GT(g.links().snake[0]->position().x(), 7);
    g.run(0.1);
    EXPECT_EQ(g.links().stagetext1->text(), "GAME OVER");
    EXPECT_EQ(g.links().stagetextA->text(), " TRY AGAIN");
    EXPECT_EQ(g.links().stagetextB->text(), " TRY AGAIN");
    EXPECT_EQ(g.state().soundName, "Game_Over");
    // It starts once the runtime tick has seen the level end (at most a second).
    g.run(1.2);
    const auto played = g.samplesPlayed();

    EXPECT_NE(std::find(played.begin(), played.end(), "Game_Over"), played.end());
    EXPECT_NE(std::find(played.begin(), played.end(), "red"), played.end())
        << "the warning in the outer layer";
    EXPECT_EQ(g.state().level, 1);
}

TEST(Pause, EscapePausesSpaceResumesAndFocusLossPausesOutsideTheDebounce) {
    GameDriver g;
    g.toMainMenu();
    g.startGame();
    const SceneLinks& l = g.links();
    g.run(1); // the HUD fades in
    ASSERT_GT(l.TextPause1->modulateColor().alpha(), 0.5f);

    g.tap(vk::escape);
    EXPECT_TRUE(l.Cadencer4->enabled());
    EXPECT_FALSE(l.Cadencer1->enabled());
    g.run(0.05);
    EXPECT_EQ(l.TextCenter->text(), "Game Paused");
    EXPECT_TRUE(l.menuPause->visible()) << "the layout shows the pause menu";
    EXPECT_FALSE(l.WAVout->active());
    EXPECT_TRUE(l.timermude->enabled());

    g.tap(vk::space, 0.1);
    EXPECT_TRUE(l.Cadencer4->enabled()) << "Space within 300 ms of the pause does nothing";
    g.run(0.3);
    g.tap(vk::space);
    EXPECT_TRUE(l.Cadencer1->enabled());
    EXPECT_FALSE(l.Cadencer4->enabled());
    EXPECT_EQ(l.TextCenter->text(), "\"press an arrow key\"");
    EXPECT_TRUE(l.WAVout->active());

    // Focus loss right after resuming: the debounce holds it back for 300 ms.
    g.mainWindow().active = false;
    g.run(0.1);
    EXPECT_TRUE(l.Cadencer1->enabled());
    g.run(0.4);
    EXPECT_TRUE(l.Cadencer4->enabled()) << "focus loss pauses once the debounce is over";
    g.mainWindow().active = true;
    g.run(0.5);
    g.tap(vk::escape);
    EXPECT_TRUE(l.Cadencer1->enabled()) << "Escape resumes too";
    EXPECT_EQ(g.cadencerOverlaps(), 0);
}

TEST(LevelOver, EscapeAsTheSnakeRunsIntoItselfEndsTheProgram) {
    GameDriver g(2);
    g.toMainMenu();
    g.startGame();
    ASSERT_TRUE(
        g.chaseSpecks([&] { return g.links().TextPause1->modulateColor().alpha() > 0.9f; }, 10));
    ASSERT_TRUE(g.chaseSpecks([&] { return g.state().snakeLength == 4; }, 60));
    ASSERT_FALSE(g.state().levelOver);
    // Escape as the crash comes, with the HUD still up, ends the program.
    runIntoTheBody(g);
    ASSERT_GT(g.links().TextPause1->modulateColor().alpha(), 0.5f);
    g.press(vk::escape);
    g.runUntil([&] { return g.platform.loopImpl.terminating(); }, 1);
    EXPECT_TRUE(g.platform.loopImpl.terminating());
    EXPECT_TRUE(g.mainWindow().closed);
    EXPECT_TRUE(g.splashWindow().closed) << "no splash left behind with its Loading...";
    EXPECT_EQ(g.platform.settingsImpl.keys[kKey]["Creator"], "Velmora");
}

TEST(LevelOver, TheCountDownStartsTheNextLevelAfterTenSeconds) {
    GameDriver g;
    g.toMainMenu();
    g.startGame();
    ASSERT_TRUE(g.leaveTheBox(vk::left));
    const double over = g.platform.clock().seconds();
    g.runUntil([&] { return g.links().TextMenuLevel2->text() == "Level 1 in 5s"; }, 15);
    EXPECT_EQ(g.links().TextMenuLevel2->text(), "Level 1 in 5s");
    ASSERT_TRUE(g.runUntil([&] { return !g.state().levelOver; }, 15));
    const double waited = g.platform.clock().seconds() - over;
    EXPECT_GE(waited, 10.0);
    EXPECT_LE(waited, 13.0);
    EXPECT_EQ(g.state().level, 1);
    EXPECT_EQ(g.state().snakeLength, 2);
    // The title runs again, and then the next attempt has live controls.
    EXPECT_TRUE(g.links().timerTitle->enabled());
    EXPECT_TRUE(g.untilControlsLive());
}

TEST(Sound, MuteKeyTogglesAtMostOncePer300ms) {
    GameDriver g;
    g.toMainMenu();
    g.startGame();
    const SceneLinks& l = g.links();
    const GameState& s = g.state();
    g.run(0.5);
    g.tap('M', 0.02);
    EXPECT_FALSE(s.soundOn);
    EXPECT_FALSE(l.WAVout->active());
    EXPECT_EQ(l.Soundsprite->material().libMaterialName(), "mude");
    g.run(0.1);
    g.tap('M', 0.02);
    EXPECT_FALSE(s.soundOn) << "within 300 ms of the last toggle";
    g.run(0.3);
    g.tap('M', 0.02);
    EXPECT_TRUE(s.soundOn);
    EXPECT_TRUE(l.WAVout->active());
    EXPECT_EQ(l.Soundsprite->material().libMaterialName(), "sound_on");
    g.run(0.05);
    EXPECT_EQ(l.TextSound->text(), "Press [m] to mute");

    // Held down, it toggles once per debounce period.
    g.run(0.5);
    int toggles = 0;
    bool last = s.soundOn;
    g.press('M');
    g.runUntil(
        [&] {
            if (s.soundOn != last) ++toggles, last = s.soundOn;
            return false;
        },
        1.0);
    g.release('M');
    EXPECT_GE(toggles, 3);
    EXPECT_LE(toggles, 4);
}

TEST(Clock, RunsOnlyAfterTheFirstArrowKeyAndNeverWhilePaused) {
    GameDriver g;
    g.toMainMenu();
    g.startGame();
    const GameState& s = g.state();
    g.run(2);
    EXPECT_EQ(s.clockSeconds, 0);
    EXPECT_EQ(s.clockHundredths, 0);
    EXPECT_EQ(g.links().TextTime->text(), "00:00");
    g.tap(vk::up);
    g.run(1.5);
    EXPECT_GE(s.clockSeconds, 1) << "the second tick comes at its own pace";
    EXPECT_LE(s.clockSeconds, 2);
    EXPECT_EQ(g.links().TextTime->text(), clockText(0, s.clockSeconds, s.clockHundredths));
    g.tap(vk::escape);
    const int seconds = s.clockSeconds, hundredths = s.clockHundredths;
    g.run(3);
    EXPECT_EQ(s.clockSeconds, seconds);
    EXPECT_EQ(s.clockHundredths, hundredths);
}

TEST(Connectors, TheHeadsStretchesBackAndTheBodysSitHalfWayToTheNextSphere) {
    GameDriver g;
    g.toMainMenu();
    g.startGame();
    const SceneLinks& l = g.links();
    g.press(vk::up);
    ASSERT_TRUE(g.runUntil([&] { return l.snake[0]->position().y() > 1; }, 5));
    const float h = l.snake[0]->position().y(), b = l.snake[1]->position().y();
    ASSERT_NE(h, b);
    EXPECT_TRUE(l.connectorY[0]->visible());
    EXPECT_FALSE(l.connectorX[0]->visible() || l.connectorZ[0]->visible());
    EXPECT_EQ(l.connectorY[0]->position().y(), (h - b) / -2);
    EXPECT_EQ(l.connectorY[0]->position().x(), 0.0f);
    EXPECT_EQ(l.connectorY[0]->scale().y(), std::fabs(h - b));
    ASSERT_TRUE(g.runUntil([&] { return l.snake[2]->position().y() == 2; }, 5));
    g.release(vk::up);
    // Sphere 1 is above sphere 2: its connector points down, half way.
    EXPECT_TRUE(l.connectorY[1]->visible());
    EXPECT_FALSE(l.connectorX[1]->visible() || l.connectorZ[1]->visible());
    EXPECT_EQ(l.connectorY[1]->position().y(), -1.0f);
}

} // namespace
} // namespace coilrun::scenario
