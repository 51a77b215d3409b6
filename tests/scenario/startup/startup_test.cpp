// Start-up in virtual time: which window appears when, and what the splash
// learnt from the score list page.
#include "app/coilrun_app.h"
#include "tests/sim/sim_platform.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace coilrun {
namespace {

using sim::SimPage;

// Sets (or, for nullptr, removes) a variable of the environment the program reads.
void setEnvironment(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");
#else
    if (value)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
#endif
}

SimPage answer(SimPage::Outcome outcome) {
    SimPage page;
    page.outcome = outcome;
    return page;
}

struct StartupTest : ::testing::Test {
    sim::SimPlatform platform;
    std::unique_ptr<CoilrunApp> app;

    void serve(SimPage page) {
        platform.web.answer = [page](const std::string&) { return page; };
    }
    void start() { app = std::make_unique<CoilrunApp>(platform); }
    sim::SimWindow& splash() { return *platform.windows.at(0); }
    sim::SimWindow& main() { return *platform.windows.at(1); }
    sim::SimWindow& web() { return *platform.windows.at(2); }
    void runFor(double seconds) { platform.loopImpl.runFor(seconds); }
};

TEST_F(StartupTest, WindowsAreCreatedInOrderAndOnlyTheSplashShows) {
    serve(answer(SimPage::Outcome::Never));
    start();
    ASSERT_EQ(platform.windows.size(), 3u);
    EXPECT_TRUE(splash().visible);
    EXPECT_EQ(splash().showCount, 1) << "shown early, and never hidden in between";
    EXPECT_EQ(splash().windowsWhenPainted, 1u) << "painted before the other windows exist";
    EXPECT_TRUE(splash().noBorder);
    EXPECT_EQ(splash().rect, (platform::Rect{(1280 - 262) / 2, (1024 - 182) / 2, 262, 182}));
    ASSERT_EQ(splash().labels.size(), 1u);
    EXPECT_EQ(splash().labels[0]->text, "Loading...");
    EXPECT_EQ(splash().labels[0]->font.name, "Tahoma");
    EXPECT_EQ(splash().labels[0]->font.pixelSize, 44);
    EXPECT_EQ(splash().labels[0]->rect.left, 8);
    EXPECT_FALSE(main().visible);
    EXPECT_EQ(main().captionText, "Coilrun");
    EXPECT_EQ(main().rect, (platform::Rect{(1280 - 928) / 2, (1024 - 514) / 2, 928, 514}));
    EXPECT_FALSE(web().visible);
    ASSERT_EQ(platform.webViews.size(), 2u);
    ASSERT_EQ(platform.webViews[0]->navigations.size(), 1u);
    EXPECT_EQ(platform.webViews[0]->navigations[0], "http://127.0.0.1:8765/Coilrun/data/view.php");
}

TEST_F(StartupTest, PageBeforeTwentySecondsShowsTheMainWindowOnce) {
    serve({SimPage::Outcome::Title, "alice  1234+bob  99++carol  5+", 3000});
    start();
    runFor(2.9);
    EXPECT_FALSE(main().visible);
    runFor(0.2);
    EXPECT_TRUE(main().visible);
    EXPECT_TRUE(app->splash().scoreListAvailable);
    EXPECT_EQ(app->splash().scoreListText, "alice  1234+bob  99++carol  5+");
    runFor(30);
    EXPECT_EQ(main().showCount, 1);
    EXPECT_TRUE(splash().visible) << "the splash stays open underneath";
}

TEST_F(StartupTest, PageAfterTwentySecondsComesTooLateToShowTwice) {
    serve({SimPage::Outcome::Title, "late list+", 25000});
    start();
    runFor(19.95);
    EXPECT_FALSE(main().visible);
    runFor(0.1);
    EXPECT_TRUE(main().visible) << "the 20th tick of timer2";
    runFor(10);
    EXPECT_EQ(main().showCount, 1);
    EXPECT_TRUE(app->splash().scoreListAvailable) << "the late page still gives its list";
}

TEST_F(StartupTest, PageThatNeverCompletesShowsTheMainWindowAtTwentySeconds) {
    serve(answer(SimPage::Outcome::Never));
    start();
    runFor(19.95);
    EXPECT_FALSE(main().visible);
    EXPECT_EQ(app->splash().splashTicks, 19);
    runFor(0.1);
    EXPECT_TRUE(main().visible);
    runFor(5);
    EXPECT_EQ(main().showCount, 1);
    EXPECT_FALSE(app->splash().scoreListAvailable);
}

TEST_F(StartupTest, UnreachableServerShowsTheMainWindowAtOnceWithoutAList) {
    serve(answer(SimPage::Outcome::Failed));
    start();
    runFor(0.05);
    EXPECT_TRUE(main().visible);
    EXPECT_FALSE(app->splash().scoreListAvailable);
    EXPECT_EQ(app->splash().scoreListText, "");
}

TEST_F(StartupTest, TitleWithColonAsFifthCharacterIsNoScoreList) {
    serve({SimPage::Outcome::Title, "abcd:efg", 0});
    start();
    runFor(0.05);
    EXPECT_TRUE(main().visible);
    EXPECT_FALSE(app->splash().scoreListAvailable);
}

TEST_F(StartupTest, FailedLoadFromAnHttpsServerIsNoScoreList) {
    setEnvironment("COILRUN_SCORE_SERVER", "https://scores.example/");
    serve(answer(SimPage::Outcome::Failed));
    start();
    setEnvironment("COILRUN_SCORE_SERVER", nullptr);
    runFor(0.05);
    EXPECT_TRUE(main().visible);
    EXPECT_FALSE(app->splash().scoreListAvailable) << app->splash().scoreListText;
    EXPECT_EQ(app->splash().scoreListText, "");
}

TEST_F(StartupTest, AnyOtherTitleIsTakenAsTheListEvenAnEmptyOne) {
    for (const std::string title : {"", "abc:", "abcde:f", "x"}) {
        sim::SimPlatform local;
        local.web.answer = [title](const std::string&) {
            return SimPage{SimPage::Outcome::Title, title, 0};
        };
        CoilrunApp localApp(local);
        local.loopImpl.runFor(0.05);
        EXPECT_TRUE(localApp.splash().scoreListAvailable) << '"' << title << '"';
        EXPECT_EQ(localApp.splash().scoreListText, title);
    }
}

TEST_F(StartupTest, ServerAddressComesFromTheEnvironment) {
    setEnvironment("COILRUN_SCORE_SERVER", "http://127.0.0.1:9999/");
    serve(answer(SimPage::Outcome::Never));
    start();
    setEnvironment("COILRUN_SCORE_SERVER", nullptr);
    EXPECT_EQ(platform.webViews[0]->navigations.at(0),
              "http://127.0.0.1:9999/Coilrun/data/view.php");
}

TEST_F(StartupTest, MainWindowStartsFromStoredLevelAndDefaults) {
    platform.settingsImpl.keys["Software\\Quorvex\\Coilrun"]["level"] = "7";
    serve(answer(SimPage::Outcome::Never));
    start();
    const GameState& s = app->mainForm().state();
    EXPECT_EQ(s.maxLevel, 7);
    EXPECT_EQ(s.snakeLength, 2);
    EXPECT_EQ(s.rigSpin, 20.0);
    EXPECT_EQ(s.musicClock, 1);
    EXPECT_TRUE(s.soundOn);
    EXPECT_EQ(s.bestScore, 0);
}

TEST_F(StartupTest, StatusLineEverySecondAndMusicDueFromTheThirdSecond) {
    serve(answer(SimPage::Outcome::Never));
    start();
    runFor(1.01);
    EXPECT_EQ(main().captionText.rfind("Musictime = 1        SnakeLength = 2        light = ", 0),
              0u)
        << main().captionText;
    EXPECT_EQ(app->mainForm().state().playSeconds, 1);
    EXPECT_FALSE(app->mainForm().state().musicDue);
    runFor(2.0);
    EXPECT_EQ(app->mainForm().state().playSeconds, 3);
    EXPECT_TRUE(app->mainForm().state().musicDue);
}

TEST_F(StartupTest, ClosingWritesCreatorOnceAndEndsTheProgram) {
    auto& values = platform.settingsImpl.keys["Software\\Quorvex\\Coilrun"];
    serve(answer(SimPage::Outcome::Never));
    start();
    EXPECT_FALSE(values.count("Creator"));
    main().close();
    EXPECT_EQ(values["Creator"], "Velmora");
    EXPECT_TRUE(splash().closed);
    EXPECT_TRUE(platform.loopImpl.terminating());

    values["Creator"] = "me";
    sim::SimPlatform second;
    second.settingsImpl.keys = platform.settingsImpl.keys;
    CoilrunApp again(second);
    second.windows.at(1)->close();
    EXPECT_EQ(second.settingsImpl.keys["Software\\Quorvex\\Coilrun"]["Creator"], "me");
}

} // namespace
} // namespace coilrun

#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/objects/light_source.h"

namespace coilrun {
namespace {

TEST_F(StartupTest, GameWindowStartsFromTheAuthoredScene) {
    serve(answer(SimPage::Outcome::Never));
    start();
    TForm1& form = app->mainForm();
    const auto& objects = form.objects();
    // Before the first frame: what the create handler set on the authored objects.
    EXPECT_DOUBLE_EQ(objects.get<engine::TGLCadencer>("Cadencer1").fixedDeltaTime(), 0.01);
    EXPECT_FLOAT_EQ(form.links().leftlight->constAttenuation(), 100);
    EXPECT_FLOAT_EQ(form.links().rightlight->constAttenuation(), 100);
    for (const char* name :
         {"TextLevel1", "TextLevel2", "TextPause1", "TextTime", "TextCenter", "TextSound"})
        EXPECT_EQ(objects.get<engine::TGLHUDText>(name).modulateColor().alpha(), 0) << name;
    EXPECT_EQ(form.links().Soundsprite->width(), 0);
    auto& right = form.links().rightlight->diffuse();
    EXPECT_FLOAT_EQ(right.red(), 0.3f);
    EXPECT_FLOAT_EQ(right.green(), 0.5f);
    EXPECT_FLOAT_EQ(right.blue(), 0.9f);
    EXPECT_FLOAT_EQ(form.links().leftlight->diffuse().green(), 0.9f);
    EXPECT_FALSE(platform.glSurfaces.at(0)->visible) << "the viewer waits for the first menu frame";
    EXPECT_EQ(&*form.viewer().camera(), form.links().Camera1Menu);
}

TEST_F(StartupTest, MenuFlightClearsTheVeilAndBacksTheCameraAway) {
    serve(answer(SimPage::Outcome::Never));
    start();
    TForm1& form = app->mainForm();
    runFor(0.1);
    EXPECT_TRUE(platform.glSurfaces.at(0)->visible);
    EXPECT_FALSE(form.objects().get<engine::TGLBaseSceneObject>("Snake").visible());
    EXPECT_FALSE(form.links().xcenterlight->shining());
    // The pause menu is authored visible: the first layout tick finds it shown,
    // clears the veil and hides the menu, so the flight starts at full speed.
    EXPECT_LE(form.links().TextBlack->modulateColor().alpha(), 0);
    EXPECT_FALSE(form.links().menuPause->visible());
    runFor(5);
    EXPECT_LT(form.links().Camera1Menu->position().z(), 3);
    runFor(30);
    EXPECT_LE(form.links().Camera1Menu->position().z(), -20 + 0.1) << "the flight stops at -20";
    EXPECT_FALSE(form.objects().get<engine::TGLBaseSceneObject>("SpaceTextlogo").visible());
}

} // namespace
} // namespace coilrun
