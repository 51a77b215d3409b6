// The menus worked with the pointer: the level list, the overlays, the pause and
// result menus.
#include "engine/platform/virtual_keys.h"
#include "tests/scenario/game/game_driver.h"

#include <gtest/gtest.h>

namespace coilrun::scenario {
namespace {

using Items = std::vector<std::string>;

TEST(MainMenu, TheLevelListScrollsBothWaysAndAPickedLevelStarts) {
    GameDriver g(7);
    g.toMainMenu();
    const SceneLinks& l = g.links();
    EXPECT_EQ(l.TextMain1->text(), "LEVEL 7");
    g.click(*l.menuMain1, 2); // CHOOSE LEVEL
    EXPECT_TRUE(g.state().levelListMode);
    EXPECT_EQ(l.menuMain1->items(), (Items{"> > >   P L A Y   < < <", " ", "<< GO BACK <<"}));
    EXPECT_EQ(l.menuMain2->items(), (Items{" ", "Level 1", "Level 2", "Level 3", "v"}));
    for (int i = 0; i < 4; ++i)
        g.click(*l.menuMain2, 4);
    EXPECT_EQ(l.menuMain2->items(), (Items{"^", "Level 5", "Level 6", "Level 7", " "}));
    g.click(*l.menuMain2, 4); // the spacer where "v" was: nothing
    EXPECT_EQ(l.menuMain2->items(), (Items{"^", "Level 5", "Level 6", "Level 7", " "}));
    g.click(*l.menuMain2, 0);
    EXPECT_EQ(l.menuMain2->items(), (Items{"^", "Level 4", "Level 5", "Level 6", "v"}));
    g.click(*l.menuMain2, 2); // Level 5
    EXPECT_EQ(l.TextMain1->text(), "LEVEL 5");
    EXPECT_TRUE(g.state().levelPicked);
    const float menuAlpha = l.menuMain2->activeColor().alpha();
    g.run(0.2); // a few ticks of the fade
    EXPECT_LT(l.TextMain1->modulateColor().alpha(), menuAlpha) << "the title fades in again";
    EXPECT_EQ(l.menuMain1->activeColor().alpha(), menuAlpha)
        << "a picked level fades in the title alone";
    EXPECT_EQ(l.menuMain2->activeColor().alpha(), menuAlpha);
    g.run(2);
    g.click(*l.menuMain1, 0); // PLAY
    EXPECT_FALSE(l.CadencerMenu->enabled());
    ASSERT_TRUE(g.untilControlsLive());
    EXPECT_EQ(g.state().level, 5);
}

TEST(MainMenu, BackFromTheLevelListAndClicksOnSpacers) {
    GameDriver g(3);
    g.toMainMenu();
    const SceneLinks& l = g.links();
    g.click(*l.menuMain1, 1); // the spacer between PLAY and CHOOSE LEVEL
    EXPECT_FALSE(g.state().levelListMode);
    EXPECT_TRUE(l.CadencerMenu->enabled());
    g.click(*l.menuMain2, 2); // the blank line above QUIT
    EXPECT_TRUE(l.CadencerMenu->enabled());
    EXPECT_TRUE(l.menuMain2->visible());
    g.click(*l.menuMain1, 2);
    EXPECT_EQ(l.menuMain2->items(), (Items{"Level 1", "Level 2", "Level 3"}));
    g.click(*l.menuMain1, 2); // << GO BACK <<
    EXPECT_FALSE(g.state().levelListMode);
    EXPECT_EQ(l.menuMain2->items(), (Items{"HIGH SCORE", "CREDITS", " ", "QUIT"}));
}

TEST(Overlays, HighScoreShowsTheSplashListAndGoBackRestoresTheMenu) {
    GameDriver g;
    g.toMainMenu();
    const SceneLinks& l = g.links();
    g.click(*l.menuMain2, 0);
    EXPECT_TRUE(g.state().overlayOpen);
    EXPECT_TRUE(l.TextBlackScore->visible());
    EXPECT_FALSE(l.menuMain1->visible());
    EXPECT_EQ(l.menuhighscore->items(),
              (Items{"BEST SCORE:   alice  1234", "bob  99", "", "<< GO BACK <<"}));
    g.tap(vk::space);
    EXPECT_TRUE(l.CadencerMenu->enabled()) << "Space does not start a game under an overlay";
    g.movePointer(0, 0);
    g.click(*l.menuhighscore, 0);
    EXPECT_TRUE(g.state().overlayOpen) << "a plain line leads nowhere";
    g.click(*l.menuhighscore, 3);
    EXPECT_FALSE(g.state().overlayOpen);
    EXPECT_FALSE(l.TextBlackScore->visible());
    EXPECT_TRUE(l.menuMain1->visible());
    EXPECT_TRUE(l.menuhighscore->items().empty());
}

TEST(Overlays, CreditsLightOnlyTheirLinks) {
    GameDriver g;
    std::vector<std::string> pages;
    g.form().services().openCreditPage = [&](const std::string& who) { pages.push_back(who); };
    g.toMainMenu();
    const SceneLinks& l = g.links();
    g.click(*l.menuMain2, 1);
    EXPECT_EQ(l.menuhighscore->items().front(), "C O I L R U N");
    g.layoutMenus();
    const int row = l.menuhighscore->font()->charHeight() + l.menuhighscore->spacing();
    auto pointAtLine = [&](int line) {
        g.movePointer((l.menuhighscore->boxLeft() + l.menuhighscore->boxRight()) / 2,
                      l.menuhighscore->menuTop() + line * row + row / 2);
    };
    pointAtLine(2);
    EXPECT_EQ(l.menuhighscore->activeColor().color(), l.menuhighscore->inactiveColor().color());
    pointAtLine(6);
    EXPECT_EQ(l.menuhighscore->selectedText(), "Kestrin");
    EXPECT_EQ(l.menuhighscore->activeColor().red(), 1.0f);
    g.pressPointer();
    EXPECT_EQ(pages, (std::vector<std::string>{"Kestrin"}));
}

TEST(PauseMenu, SkipLevelOnlyBelowTheFrontierAndRestart) {
    GameDriver g(3);
    g.toMainMenu();
    const SceneLinks& l = g.links();
    g.click(*l.menuMain1, 2);
    g.click(*l.menuMain2, 1); // Level 2
    g.click(*l.menuMain1, 0);
    ASSERT_TRUE(g.untilControlsLive());
    ASSERT_EQ(g.state().level, 2);
    g.run(1);
    g.tap(vk::escape);
    g.run(0.1);
    EXPECT_EQ(l.menuPause->items(), (Items{"Resume", "Restart", "Skip Level", "Quit"}));
    g.click(*l.menuPause, 2);
    EXPECT_EQ(g.state().level, 3);
    EXPECT_TRUE(l.Cadencer1->enabled() || l.Cadencer2->enabled() || l.Cadencer3->enabled());
    ASSERT_TRUE(g.untilControlsLive());
    g.run(1);
    g.tap(vk::escape);
    g.run(0.1);
    EXPECT_EQ(l.menuPause->items(), (Items{"Resume", "Restart", "", "Quit"}))
        << "no skipping past the highest level unlocked";
    g.click(*l.menuPause, 2);
    EXPECT_TRUE(l.Cadencer4->enabled()) << "the empty line does nothing";
    EXPECT_EQ(g.state().level, 3);
    g.click(*l.menuPause, 1); // Restart
    EXPECT_EQ(g.state().level, 3);
    ASSERT_TRUE(g.untilControlsLive());
    EXPECT_EQ(g.state().snakeLength, 2);
    EXPECT_EQ(g.cadencerOverlaps(), 0);
}

TEST(ResultMenu, HowToPagesCycleUntilGoBackAndContinueStartsTheNextLevel) {
    GameDriver g;
    ASSERT_TRUE(g.toResultScreen());
    const SceneLinks& l = g.links();
    g.click(*l.menuLevel, 2); // 3D CONTROL
    EXPECT_TRUE(l.SpriteHowTo->visible());
    EXPECT_FALSE(l.timercountdown->enabled());
    std::vector<std::string> pages;
    g.runUntil(
        [&] {
            const std::string page = l.SpriteHowTo->material().libMaterialName();
            if (pages.empty() || pages.back() != page) pages.push_back(page);
            return pages.size() == 7;
        },
        12);
    EXPECT_EQ(pages, (std::vector<std::string>{"HT0", "HT1", "HT2", "HT3", "HT4", "HT0", "HT1"}));
    g.click(*l.menuhighscore, 9); // << GO BACK <<
    EXPECT_FALSE(l.timerHT->enabled());
    EXPECT_FALSE(l.SpriteHowTo->visible());
    EXPECT_FALSE(l.TextBlackScore->visible());
    EXPECT_FALSE(l.menuMain1->visible()) << "the result screen stays";
    g.click(*l.menuLevel, 0); // Continue Game
    ASSERT_TRUE(g.untilControlsLive());
    EXPECT_EQ(g.state().snakeLength, 2);
}

} // namespace
} // namespace coilrun::scenario
