// Longer stories: the high levels, the level map, where each level starts from,
// the start jingle, and an hour of play that must not pile up sounds.
#include "engine/platform/virtual_keys.h"
#include "engine/sound/sound_emitter.h"
#include "game/level_setup.h"
#include "game/score.h"
#include "tests/scenario/game/game_driver.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace coilrun::scenario {
namespace {

TEST(HighLevels, NineWinsAboutTenTimesTheScoreAndTenHasFactorOne) {
    GameDriver g(9);
    g.toMainMenu();
    EXPECT_EQ(g.links().TextMain1->text(), "LEVEL 9");
    g.startGame();
    const GameState& s = g.state();
    EXPECT_EQ(s.targetLength, 24);
    EXPECT_EQ(s.snakeSpeed, 6.0);
    EXPECT_TRUE(s.fullCube);
    ASSERT_TRUE(g.chaseSpecks([&] { return g.won(); }, 900)) << "length " << s.snakeLength;
    EXPECT_EQ(s.level, 10);
    EXPECT_EQ(s.levelFactor, 0);
    EXPECT_EQ(s.score, levelScore(24, 0, s.clockMinutes, s.clockSeconds, s.clockHundredths, 10));
    EXPECT_EQ(s.maxLevel, 9) << "winning the frontier level leaves maxLevel";
    EXPECT_EQ(g.platform.settingsImpl.keys["Software\\Quorvex\\Coilrun"]["level"], "10");

    g.run(1);
    g.tap(vk::space);
    ASSERT_TRUE(g.untilControlsLive());
    EXPECT_EQ(s.targetLength, 30);
    EXPECT_EQ(s.snakeSpeed, 7.0);
    EXPECT_FALSE(s.fullCube);
    ASSERT_TRUE(g.chaseSpecks([&] { return g.won(); }, 900)) << "length " << s.snakeLength;
    EXPECT_EQ(s.level, 11);
    EXPECT_EQ(s.levelFactor, 1);
    EXPECT_EQ(s.score, levelScore(30, 1, s.clockMinutes, s.clockSeconds, s.clockHundredths, 11));
    EXPECT_EQ(g.cadencerOverlaps(), 0);
}

TEST(HighLevels, ElevenAsksForAllThirtyEightSpheresAtSevenAndAHalf) {
    GameDriver g(11);
    g.toMainMenu();
    // The level's specks follow from the moment it starts. At this speed the chaser
    // gets stuck on about half of the starts (a speck in the wall layer it will not
    // turn into, or a trap at length 2): this is one it plays through.
    g.run(0.01);
    g.startGame();
    const GameState& s = g.state();
    EXPECT_EQ(s.targetLength, 38);
    EXPECT_EQ(s.snakeSpeed, 7.5);
    bool outerSpeck = false;
    ASSERT_TRUE(g.chaseSpecks(
        [&] {
            const Cell c = s.speckCell;
            outerSpeck =
                outerSpeck || std::abs(c.x) == 3 || std::abs(c.y) == 3 || std::abs(c.z) == 3;
            return s.snakeLength == 12;
        },
        600));
    EXPECT_TRUE(outerSpeck) << "from level 11 a speck may lie in the outer layer";
    EXPECT_EQ(g.links().TextLevel2->text(), "28% DONE");
    g.run(0.5); // the new sphere shows at the next step
    EXPECT_TRUE(g.links().snake[12]->visible());
    EXPECT_FALSE(g.links().snake[13]->visible());
}

TEST(LevelMap, AVerticalRunShowsAsOneCube) {
    GameDriver g(2);
    g.toMainMenu();
    g.startGame();
    const SceneLinks& l = g.links();
    auto shown = [&] {
        int n = 0;
        for (const auto& row : l.mapCube)
            for (const auto* cube : row)
                n += cube->visible();
        return n;
    };
    EXPECT_EQ(shown(), 0) << "nothing before the first step";
    g.press(vk::up);
    ASSERT_TRUE(g.runUntil([&] { return g.headingCell().y == 3; }, 5));
    g.release(vk::up);
    // Two steps up from the origin: one column holds the head's and the body's cells.
    EXPECT_EQ(shown(), 1);
    EXPECT_TRUE(l.mapCube[3][3]->visible());
    for (int x = 0; x < 7; ++x)
        for (int z = 0; z < 7; ++z)
            EXPECT_EQ(l.skyMapCube[x][z]->visible(), l.mapCube[x][z]->visible());
    EXPECT_TRUE(l.map2D->visible());
    EXPECT_TRUE(l.map2Dsky->visible());
}

// The state a level starts from, as far as a level set-up decides it.
struct LevelStart {
    int snakeLength, lastStepLength, playSeconds;
    bool levelOver, stepping, restartRequested;
    std::string requested, step, soundName;
    double rigSpin;
    OccupancyGrid grid;
    float left, right, skylineZ, speckY, veil, shell, cameraDirX, cameraZ, centreAlpha;
    bool screen, snake, speck, map, centresLit, waveOut, title;
    std::vector<engine::Vec3> spheres;
    int connectorsShown;
    std::string headline, centre;
    bool operator==(const LevelStart&) const = default;
};

LevelStart levelStart(GameDriver& g) {
    const GameState& s = g.state();
    const SceneLinks& l = g.links();
    LevelStart r{};
    r.snakeLength = s.snakeLength;
    r.lastStepLength = s.lastStepLength;
    r.playSeconds = s.playSeconds;
    r.levelOver = s.levelOver;
    r.stepping = s.stepping;
    r.restartRequested = s.restartRequested;
    r.requested = s.requestedDirection;
    r.step = s.stepDirection;
    r.soundName = s.soundName;
    r.rigSpin = s.rigSpin;
    r.grid = s.occupancy;
    r.left = l.leftlight->constAttenuation();
    r.right = l.rightlight->constAttenuation();
    r.skylineZ = l.skyline->position().z();
    r.speckY = l.speck->position().y();
    r.veil = l.TextBlack->modulateColor().alpha();
    r.shell = l.glcpsl1->height();
    r.cameraDirX = l.Camera->direction().x();
    r.cameraZ = l.Camera->position().z();
    r.centreAlpha = l.TextCenter->modulateColor().alpha();
    r.screen = l.DummyScreen->visible();
    r.snake = l.Snake->visible();
    r.speck = l.speck->visible();
    r.map = l.map2D->visible();
    r.centresLit =
        l.centerlight->shining() && l.xcenterlight->shining() && l.zcenterlight->shining();
    r.waveOut = l.WAVout->active();
    r.title = l.timerTitle->enabled();
    for (const auto* sphere : l.snake)
        r.spheres.push_back(sphere->position().asAffine());
    r.connectorsShown = 0;
    for (int k = 0; k < SceneLinks::kSegments; ++k)
        r.connectorsShown +=
            l.connectorX[k]->visible() + l.connectorY[k]->visible() + l.connectorZ[k]->visible();
    r.headline = l.stagetext1->text();
    r.centre = l.TextCenter->text();
    return r;
}

TEST(LevelStart, TheFirstLevelAfterTheMenuStartsAsASetUpLevelDoes) {
    GameDriver g;
    g.toMainMenu();
    g.press(vk::enter);
    ASSERT_TRUE(g.runUntil([&] { return !g.links().CadencerMenu->enabled(); }, 5));
    g.release(vk::enter);
    const LevelStart fromMenu = levelStart(g);
    EXPECT_EQ(fromMenu.left, 100) << "the menu flight left the lights low; the start resets them";
    EXPECT_TRUE(g.form().blackPanel().isVisible()) << "the panel covers the switch to the game";

    g.untilControlsLive();
    ASSERT_TRUE(g.leaveTheBox(vk::right));
    g.run(0.5);
    g.tap(vk::space, 0.02);
    const LevelStart fromSetUp = levelStart(g);
    EXPECT_EQ(fromMenu, fromSetUp);
    EXPECT_FALSE(g.form().blackPanel().isVisible());
    EXPECT_EQ(g.cadencerOverlaps(), 0);
}

TEST(LevelStart, TheStartJingleIsHeardAfterSetUpThoughStartWasAsked) {
    GameDriver g;
    ASSERT_TRUE(g.toResultScreen());
    const std::size_t before = g.platform.audioImpl.played.size();
    g.tap(vk::space, 0.02);
    EXPECT_EQ(g.state().soundName, "Start") << "what the set-up asks for";
    g.run(0.5);
    EXPECT_EQ(g.state().soundName, "start") << "the next frame corrects the case";
    const auto played = g.samplesPlayed();
    EXPECT_NE(std::find(played.begin() + long(before), played.end(), "start"), played.end());
}

TEST(Session, AnHourOfPlayKeepsEmittersAndSoundSourcesBounded) {
    GameDriver g;
    g.platform.loopImpl.messageCost = 0.004; // fewer idle turns of the loop: the frames stay 10 ms
    g.toMainMenu();
    g.startGame();
    std::size_t mostEmitters = 0, mostSources = 0;
    int levelsPlayed = 0;
    bool wasOver = false;
    g.chaseSpecks(
        [&] {
            const SceneLinks& l = g.links();
            mostEmitters = std::max(mostEmitters, l.Dummy1->behaviours().size());
            mostSources = std::max(mostSources, l.WAVout->sources().count());
            const bool over = g.state().levelOver;
            if (over && !wasOver) ++levelsPlayed;
            wasOver = over;
            return false;
        },
        3600);
    EXPECT_GE(levelsPlayed, 20);
    EXPECT_LE(mostEmitters, 40u);
    EXPECT_LE(mostSources, 40u);
    EXPECT_LE(g.links().Dummy1->behaviours().size(), 40u);
    EXPECT_EQ(g.cadencerOverlaps(), 0);
}

} // namespace
} // namespace coilrun::scenario

namespace coilrun::scenario {
namespace {

TEST(LevelOver, SpaceDuringPlayDoesNotSkipTheNextResultScreen) {
    GameDriver g;
    g.toMainMenu();
    g.startGame();
    g.run(1);
    g.tap(vk::escape);
    g.run(0.4);
    g.tap(vk::space, 0.2); // resumes, and is still down as play goes on
    ASSERT_TRUE(g.links().Cadencer1->enabled());
    g.tap(vk::space, 0.2); // a stray press in play
    EXPECT_FALSE(g.state().startRequested);
    ASSERT_TRUE(g.leaveTheBox(vk::right));
    g.run(1);
    EXPECT_TRUE(g.state().levelOver) << "the result screen stays up";
    EXPECT_TRUE(g.lost());
    EXPECT_FALSE(g.links().timerTitle->enabled());
}

TEST(LevelOver, SpaceOnTheResultScreenStopsTheCountDown) {
    GameDriver g;
    g.toMainMenu();
    g.startGame();
    ASSERT_TRUE(g.leaveTheBox(vk::right));
    g.run(4);
    g.tap(vk::space);
    ASSERT_TRUE(g.untilControlsLive());
    // The count-down of the last result screen must not start the level after this one.
    int setUps = 0;
    bool titled = false;
    g.runUntil(
        [&] {
            const bool now = g.links().timerTitle->enabled();
            if (now && !titled) ++setUps;
            titled = now;
            return false;
        },
        15);
    EXPECT_EQ(setUps, 0);
    EXPECT_FALSE(g.state().startRequested);
}

TEST(Sound, TheFirstSecondAfterSetUpRestartsTheOutputWithoutOpeningAVoiceEachFrame) {
    GameDriver g;
    ASSERT_TRUE(g.toResultScreen());
    const std::size_t before = g.platform.audioImpl.played.size();
    const std::uint64_t framesBefore = g.links().Cadencer1->lastTime() * 100;
    g.tap(vk::space, 0.02);
    // Until the first second after the set-up is over.
    g.runUntil([&] { return g.state().playSeconds >= 1 && !g.links().timerTitle->enabled(); }, 5);
    const std::size_t voices = g.platform.audioImpl.played.size() - before;
    const std::uint64_t frames =
        std::uint64_t(g.links().Cadencer1->lastTime() * 100) - framesBefore;
    EXPECT_GT(frames, 100u);
    // The output restarts every frame, but a voice opens only at the manager's
    // updates (ten a second), never once a frame.
    EXPECT_LE(voices * 5, frames) << voices << " voices in " << frames << " frames";
    EXPECT_LE(g.platform.audioImpl.openVoices(), 6u);
}

} // namespace
} // namespace coilrun::scenario
