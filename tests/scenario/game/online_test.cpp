// Quitting: the score browser takes over, sends exactly one run report and does
// what the server's page says.
#include "engine/platform/virtual_keys.h"
#include "tests/scenario/game/game_driver.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace coilrun::scenario {
namespace {

const char* kKey = "Software\\Quorvex\\Coilrun";

// The score server's pages: the score list, and whatever title the report's answer has.
struct Server {
    explicit Server(GameDriver& g, std::string answer = "title(Scores)")
        : title(std::move(answer)) {
        g.platform.web.answer = [this](const std::string& url) {
            if (url.find("view.php") != std::string::npos)
                return sim::SimPage{sim::SimPage::Outcome::Title, "alice  1234+", 100};
            return sim::SimPage{sim::SimPage::Outcome::Title, title, 100};
        };
    }
    std::string title;
};

// Loads of the score browser that carried a run report.
std::vector<std::string> reports(GameDriver& g) {
    std::vector<std::string> out;
    for (const std::string& url : g.platform.webViews.at(1)->navigations)
        if (url.find("count.php?") != std::string::npos) out.push_back(url);
    return out;
}

sim::SimWindow& browserWindow(GameDriver& g) {
    return *g.platform.windows.at(2);
}

// What the score browser's page sent by POST, besides its loads.
const std::vector<sim::SimWebView::Post>& posts(GameDriver& g) {
    return g.platform.webViews.at(1)->posts;
}

// Quits from the pause menu of the level being played.
void quitFromPause(GameDriver& g) {
    g.tap(vk::escape);
    g.run(0.1);
    g.click(*g.links().menuPause, 3);
    g.run(1);
}

// Wins level 1, starts level 2 and quits from its pause menu.
void winLevelOneAndQuit(GameDriver& g) {
    g.toMainMenu();
    g.startGame();
    ASSERT_TRUE(g.chaseSpecks([&] { return g.won(); }, 120));
    g.run(1);
    g.tap(vk::space);
    ASSERT_TRUE(g.untilControlsLive());
    g.run(1);
    quitFromPause(g);
}

TEST(Quit, TheBestRunFollowsItsReportOnceAndOnlyWhenTheServerAnswered) {
    GameDriver g;
    Server server(g, "goback()");
    winLevelOneAndQuit(g);
    ASSERT_EQ(reports(g).size(), 1u);
    ASSERT_EQ(posts(g).size(), 1u);
    EXPECT_EQ(posts(g)[0].url, "http://127.0.0.1:8765/Coilrun/data/replay");
    std::vector<std::uint8_t> won;
    for (const auto& [name, bytes] : g.platform.runFolderImpl.files)
        if (name.find("-won-" + std::to_string(g.state().bestScore)) != std::string::npos)
            won = bytes;
    EXPECT_EQ(posts(g)[0].body, won) << "the file of the run that made the reported score";

    // Back in the game and out again: a second report, the run is not sent again.
    g.run(0.5);
    g.tap(vk::space);
    g.run(0.5);
    quitFromPause(g);
    EXPECT_EQ(reports(g).size(), 2u);
    EXPECT_EQ(posts(g).size(), 1u);

    // When the report's page fails, no run follows it.
    GameDriver offline;
    offline.platform.web.answer = [](const std::string& url) {
        if (url.find("view.php") != std::string::npos)
            return sim::SimPage{sim::SimPage::Outcome::Title, "alice  1234+", 100};
        return sim::SimPage{sim::SimPage::Outcome::Failed, {}, 100};
    };
    winLevelOneAndQuit(offline);
    EXPECT_EQ(reports(offline).size(), 1u);
    EXPECT_TRUE(posts(offline).empty());
}

TEST(Quit, FromTheMainMenuOneReportAndNewOnAFreshStore) {
    GameDriver g;
    Server server(g);
    g.toMainMenu();
    g.click(*g.links().menuMain2, 3); // QUIT
    g.run(1);
    EXPECT_TRUE(browserWindow(g).visible);
    EXPECT_FALSE(g.mainWindow().visible);
    EXPECT_FALSE(g.splashWindow().visible);
    EXPECT_FALSE(g.links().WAVoutMenu->active());
    EXPECT_EQ(reports(g),
              (std::vector<std::string>{"http://127.0.0.1:8765/Coilrun/data/count.php?NEW=TRUE"}));
    EXPECT_EQ(browserWindow(g).captionText, "Scores");
    EXPECT_TRUE(g.platform.webViews.at(1)->posts.empty()) << "no score, no run sent";
}

TEST(Quit, WithinTheFirstTwentySecondsTheSplashDoesNotBringTheGameBack) {
    GameDriver g;
    Server server(g);
    g.toMainMenu();
    ASSERT_LT(g.platform.clockImpl.now(), 19.0) << "the menu came too late for this story";
    g.click(*g.links().menuMain2, 3); // QUIT
    g.run(25);
    EXPECT_TRUE(browserWindow(g).visible);
    EXPECT_FALSE(g.mainWindow().visible) << "the splash's fallback showed the game again";
}

TEST(Quit, FromThePauseMenuWithAScoreAfterTheFirstRun) {
    GameDriver g;
    g.platform.settingsImpl.keys[kKey]["Creator"] = std::string("Velmora");
    g.platform.userImpl.name = "zoe+ann";
    Server server(g);
    winLevelOneAndQuit(g);
    const int best = g.state().bestScore;
    ASSERT_GT(best, 0);
    const auto sent = reports(g);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], "http://127.0.0.1:8765/Coilrun/data/count.php?NEW=FALSE&DATE=" +
                           std::string("1%2F3%2F2026") + "&SCORE=" + std::to_string(best) +
                           "&USER=zoe-and-ann");
    EXPECT_FALSE(g.links().WAVout->active());
}

TEST(Quit, FromTheResultScreenAfterTheMeMarkAndASizedPageIsNotSentTwice) {
    GameDriver g;
    g.platform.settingsImpl.keys[kKey]["Creator"] = std::string("me");
    Server server(g, "width(600)height(400)title(Coilrun scores)");
    ASSERT_TRUE(g.toResultScreen());
    g.click(*g.links().menuLevel, 2);     // 3D CONTROL
    g.click(*g.links().menuhighscore, 8); // Quit Game
    g.run(2);
    EXPECT_EQ(reports(g),
              (std::vector<std::string>{"http://127.0.0.1:8765/Coilrun/data/count.php?NEW=ME"}));
    const auto& loads = g.platform.webViews.at(1)->navigations;
    EXPECT_EQ(
        std::count(loads.begin(), loads.end(), "http://127.0.0.1:8765/Coilrun/data/count.php"), 1)
        << "width and height reload the page without its query, once for both";
    EXPECT_EQ(browserWindow(g).rect.width, 600);
    EXPECT_EQ(browserWindow(g).rect.height, 400);
    EXPECT_EQ(browserWindow(g).captionText, "Coilrun scores");
}

TEST(Quit, GoBackReturnsToTheGameWithTheLayoutTickRunning) {
    GameDriver g;
    Server server(g, "goback()");
    g.toMainMenu();
    g.startGame();
    g.run(1);
    g.tap(vk::escape);
    g.run(0.1);
    g.click(*g.links().menuPause, 3);
    EXPECT_FALSE(g.links().asynctmrAllTime->enabled() && g.mainWindow().visible);
    g.run(1);
    EXPECT_FALSE(browserWindow(g).visible);
    EXPECT_TRUE(g.mainWindow().visible);
    EXPECT_TRUE(g.mainWindow().onTop);
    EXPECT_TRUE(g.links().asynctmrAllTime->enabled());
    // The layout tick covers the screen again, and Space resumes the paused game.
    g.mainWindow().setGeometry({10, 10, 800, 600});
    g.run(0.1);
    EXPECT_EQ(g.mainWindow().rect, (platform::Rect{0, 0, 1280, 1024}));
    g.run(0.3);
    g.tap(vk::space);
    EXPECT_TRUE(g.links().Cadencer1->enabled());
}

TEST(Quit, SkipEndsTheProgramAndCreditPagesComeBack) {
    GameDriver g;
    Server server(g, "skip()");
    g.toMainMenu();
    g.click(*g.links().menuMain2, 1);     // CREDITS
    g.click(*g.links().menuhighscore, 3); // Velmora
    g.run(0.5);
    EXPECT_EQ(g.platform.webViews.at(1)->navigations.back(),
              "http://127.0.0.1:8765/Coilrun/data/Velmora.php");
    EXPECT_FALSE(g.mainWindow().visible);
    EXPECT_FALSE(g.links().asynctmrAllTime->enabled());
    EXPECT_TRUE(g.platform.loopImpl.terminating()) << "the credit page said skip";
    EXPECT_TRUE(g.mainWindow().closed);
    EXPECT_TRUE(g.splashWindow().closed);
}

} // namespace
} // namespace coilrun::scenario
