// A player off the scripted path: clicks where a hidden menu was drawn, a click
// before anything was drawn, Space under an overlay, keys pressed and let go
// between two frames, and score lists too long for the window or with names that
// read like the overlay's links.
#include "engine/platform/virtual_keys.h"
#include "tests/scenario/game/game_driver.h"

#include <gtest/gtest.h>

namespace coilrun::scenario {
namespace {

// Whether the player is still in the game window, with no score browser called up.
bool stillInTheGame(GameDriver& g) {
    return g.mainWindow().visible && !g.platform.windows.at(2)->visible;
}

TEST(HiddenMenus, ClicksWhereTheMainMenuWasDrawnDoNothingInThePause) {
    GameDriver g;
    g.toMainMenu();
    const SceneLinks& l = g.links();
    g.layoutMenus();
    const platform::Point play = g.pointOn(*l.menuMain1, 0), quit = g.pointOn(*l.menuMain2, 3);
    g.startGame();
    g.run(1);
    g.tap(vk::escape);
    g.run(0.1);
    ASSERT_TRUE(l.Cadencer4->enabled());
    for (const platform::Point p : {quit, play}) {
        g.clickAt(p);
        EXPECT_EQ(l.menuPause->selected(), -1) << "off the pause menu";
        EXPECT_TRUE(stillInTheGame(g));
        EXPECT_TRUE(l.Cadencer4->enabled());
        EXPECT_FALSE(g.state().restartRequested || g.state().levelOver);
    }
}

TEST(HiddenMenus, ClicksWhereThePauseMenuWasDrawnDoNothingOnTheResultScreen) {
    GameDriver g(3);
    g.toMainMenu();
    const SceneLinks& l = g.links();
    g.click(*l.menuMain1, 2);
    g.click(*l.menuMain2, 1); // Level 2, so that Skip Level is offered
    g.click(*l.menuMain1, 0);
    ASSERT_TRUE(g.untilControlsLive());
    g.run(1);
    g.tap(vk::escape);
    g.run(0.1);
    g.layoutMenus();
    ASSERT_EQ(l.menuPause->items()[2], "Skip Level");
    std::vector<platform::Point> lines;
    for (int line = 0; line < 4; ++line)
        lines.push_back(g.pointOn(*l.menuPause, line));
    g.run(0.4);
    g.tap(vk::space);
    ASSERT_TRUE(g.leaveTheBox(vk::left));
    g.run(1);
    ASSERT_TRUE(l.menuLevel->visible());
    for (const platform::Point p : lines) { // Resume, Restart, Skip Level, Quit
        g.clickAt(p);
        EXPECT_EQ(l.menuLevel->selected(), -1) << "off the result menu";
        EXPECT_TRUE(stillInTheGame(g));
        EXPECT_TRUE(g.state().levelOver);
        EXPECT_EQ(g.state().level, 2);
        EXPECT_TRUE(l.Cadencer1->enabled());
    }
}

TEST(HiddenMenus, AClickInTheCornerBeforeAnyMenuWasDrawnDoesNothing) {
    GameDriver g;
    g.toMainMenu();
    const SceneLinks& l = g.links();
    // No frame has drawn a menu: every box still sits at the corner.
    g.platform.glSurfaces.at(0)->onMouseMove(0, 0);
    g.platform.glSurfaces.at(0)->onMouseDown(0, 0, 0);
    g.run(0.1);
    EXPECT_TRUE(l.CadencerMenu->enabled());
    EXPECT_FALSE(l.Cadencer1->enabled());
    EXPECT_TRUE(l.menuMain1->visible());
    EXPECT_TRUE(stillInTheGame(g));
}

TEST(ResultScreen, SpaceUnderAnOverlayDoesNotStartTheLevel) {
    GameDriver g;
    ASSERT_TRUE(g.toResultScreen());
    const SceneLinks& l = g.links();
    g.click(*l.menuLevel, 4); // Credits
    ASSERT_TRUE(l.TextBlackScore->visible());
    g.tap(vk::space);
    g.tap(vk::enter);
    g.run(1);
    EXPECT_TRUE(g.state().levelOver);
    EXPECT_TRUE(l.TextBlackScore->visible());
    g.click(*l.menuhighscore, 8); // << GO BACK <<
    g.tap(vk::space);
    EXPECT_TRUE(g.untilControlsLive()) << "with the overlay closed Space starts it";
}

std::string entries(int count, const std::string& name) {
    std::string list;
    for (int i = 0; i < count; ++i)
        list += name + std::to_string(i) + "  " + std::to_string(900 - i) + "+";
    return list;
}

TEST(ScoreList, ATallListOnAShortWindowKeepsTheWayBackInSight) {
    struct Case {
        int height;
        std::string list;
        std::size_t lines; // 0: cut, fewer than the 24 entries the list keeps
    };
    // Five best and five latest, as the reference server sends them; then more
    // lines than a window this short has room for.
    for (const Case& c : {Case{800, entries(5, "best") + "+" + entries(5, "late"), 14},
                          Case{500, entries(40, "many"), 0}}) {
        SCOPED_TRACE(c.height);
        GameDriver g(0, c.list, c.height);
        g.toMainMenu();
        const SceneLinks& l = g.links();
        ASSERT_EQ(g.mainWindow().rect.height, c.height);
        g.click(*l.menuMain2, 0); // HIGH SCORE
        g.layoutMenus();
        const engine::TGLGameMenu& list = *l.menuhighscore;
        const std::size_t lines = list.items().size();
        if (c.lines > 0)
            EXPECT_EQ(lines, c.lines);
        else
            EXPECT_LT(lines, 24u);
        ASSERT_GE(lines, 3u);
        EXPECT_EQ(list.items()[1], c.lines > 0 ? "best1  899" : "many1  899");
        EXPECT_EQ(list.items()[lines - 2], "");
        EXPECT_GE(list.boxTop(), 0);
        EXPECT_LE(list.boxBottom(), c.height);
        const platform::Point back = g.pointOn(list, int(lines) - 1);
        EXPECT_LT(back.y, c.height);
        g.clickAt(back);
        EXPECT_FALSE(g.state().overlayOpen) << "<< GO BACK << closes the list";
        EXPECT_TRUE(l.menuMain1->visible());
    }
}

TEST(ScoreList, NamesThatReadLikeLinksLeadNowhere) {
    GameDriver g(0, "alice  1234++Quit Game+Kestrin+Velmora+<< GO BACK <<+");
    std::vector<std::string> pages;
    g.form().services().openCreditPage = [&](const std::string& who) { pages.push_back(who); };
    g.toMainMenu();
    const SceneLinks& l = g.links();
    g.click(*l.menuMain2, 0); // HIGH SCORE
    const engine::TGLGameMenu& list = *l.menuhighscore;
    ASSERT_EQ(list.items().size(), 9u);
    for (int line = 3; line <= 6; ++line) {
        g.click(*l.menuhighscore, line);
        EXPECT_EQ(list.selected(), line);
        EXPECT_EQ(list.activeColor().color(), list.inactiveColor().color()) << "not lit";
        EXPECT_TRUE(g.state().overlayOpen) << list.items()[std::size_t(line)];
        EXPECT_TRUE(stillInTheGame(g)) << list.items()[std::size_t(line)];
    }
    EXPECT_TRUE(pages.empty());
    g.click(*l.menuhighscore, 8);
    EXPECT_FALSE(g.state().overlayOpen) << "the list's own way back";
}

TEST(QuickTaps, AKeyLetGoBeforeTheNextFrameIsSeenOnce) {
    GameDriver g;
    g.toMainMenu();
    const SceneLinks& l = g.links();
    // Slow frames, each owing the menu cadencer several of its short steps: the step
    // that starts the game is the last menu step, or the menu would take the stage away.
    g.platform.loopImpl.messageCost = 0.02;
    g.tapBetweenFrames(vk::space);
    g.run(0.1);
    EXPECT_FALSE(l.CadencerMenu->enabled()) << "Space on the menu";
    EXPECT_TRUE(l.Stage->visible() && l.Snake->visible());
    g.platform.loopImpl.messageCost = 0.001;
    ASSERT_TRUE(g.untilControlsLive());
    g.run(1);

    g.tapBetweenFrames(vk::escape);
    g.run(0.05);
    EXPECT_TRUE(l.Cadencer4->enabled()) << "Escape in play";
    g.run(0.5);
    EXPECT_TRUE(l.Cadencer4->enabled()) << "seen once: no resume when the debounce ends";
    g.tapBetweenFrames(vk::space);
    g.run(0.05);
    EXPECT_TRUE(l.Cadencer1->enabled()) << "Space in the pause";

    g.run(0.5);
    g.tapBetweenFrames('M');
    g.run(1);
    EXPECT_FALSE(g.state().soundOn) << "one mute, not one every 300 ms";
}

} // namespace
} // namespace coilrun::scenario
