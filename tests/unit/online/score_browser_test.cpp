// The score browser's page commands, on a window that only records what it is told.
#include "online/score_browser.h"

#include <gtest/gtest.h>

namespace coilrun::online {
namespace {

struct RecordingHost : ScoreBrowserHost {
    void endProgram() override { log.push_back("end"); }
    void backToGame() override { log.push_back("back"); }
    void setCaption(const std::string& c) override { caption = c; }
    void maximize() override { maximized = true; }
    int frameWidth() const override { return width; }
    int frameHeight() const override { return height; }
    void setFrameWidth(int w) override { width = w; }
    void setFrameHeight(int h) override { height = h; }
    int screenWidth() const override { return 1280; }
    int screenHeight() const override { return 800; }
    void centreOnScreen() override { log.push_back("centre"); }
    void navigate(const std::string& url) override { loads.push_back(url); }
    void setSilent(bool s) override { silent = s; }
    void placeView(int l, int t, int w, int h) override { view = {l, t, w, h}; }
    void setBorderStyle(BorderStyle s) override { styles.push_back(s); }
    bool setTransparentColor(const std::string& c) override {
        transparent = c;
        return true;
    }
    void startStyleTimer() override { styleTimer = true; }
    bool styleTimerRunning() const override { return styleTimer; }
    std::string playerName() const override { return player; }
    void showMessage(const std::string& t) override { messages.push_back(t); }
    void showInformation(const std::string& t) override { information.push_back(t); }
    void showError(const std::string& t) override { errors.push_back(t); }

    std::vector<std::string> log, loads, messages, information, errors;
    std::vector<BorderStyle> styles;
    std::string caption, transparent, player = "zoe";
    int width = 758, height = 473;
    bool maximized = false, silent = true, styleTimer = false;
    std::array<int, 4> view{};
};

struct ScoreBrowserTest : ::testing::Test {
    RecordingHost host;
    ScoreBrowser browser{host, "http://127.0.0.1:8765"};
};

TEST_F(ScoreBrowserTest, TitleKeepsItsBlankAndHeightResizesAndReloadsWithoutTheQuery) {
    browser.load("http://127.0.0.1:8765/Coilrun/data/count.php?NEW=TRUE");
    browser.pageComplete("title(Best Scores) height(500)");
    EXPECT_EQ(host.caption, "Best Scores");
    EXPECT_EQ(host.height, 500);
    EXPECT_EQ(host.loads.back(), "http://127.0.0.1:8765/Coilrun/data/count.php");
    const std::size_t loads = host.loads.size();
    browser.pageComplete("title(Best Scores) height(500)");
    EXPECT_EQ(host.loads.size(), loads) << "the same size asks for no second reload";
}

TEST_F(ScoreBrowserTest, SizesStayWithinTheScreen) {
    browser.load("http://h/Coilrun/data/count.php?NEW=FALSE&SCORE=3");
    browser.pageComplete("width(600)height(400)");
    EXPECT_EQ(host.width, 600);
    EXPECT_EQ(host.height, 400);
    EXPECT_EQ(std::count(host.loads.begin(), host.loads.end(), "http://h/Coilrun/data/count.php"),
              2);
    browser.pageComplete("width(600)height(400)");
    EXPECT_EQ(host.loads.size(), 3u) << "the reloaded page changes nothing more";
    EXPECT_FALSE(host.maximized);

    browser.pageComplete("height(5000)");
    EXPECT_EQ(host.height, 780);
    EXPECT_TRUE(host.maximized);
    host.maximized = false;
    browser.pageComplete("width(4000)");
    EXPECT_EQ(host.width, 1260) << "a width wider than the screen is kept within it";
    EXPECT_TRUE(host.maximized);
}

TEST_F(ScoreBrowserTest, ANumberThatIsNotOneStopsThePage) {
    browser.pageComplete("title(one)height(tall)title(two)");
    EXPECT_EQ(host.caption, "one");
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("tall"), std::string::npos);
    browser.pageComplete("width(12px)title(three)");
    EXPECT_EQ(host.caption, "one");
    EXPECT_EQ(host.errors.size(), 2u);
}

TEST_F(ScoreBrowserTest, MessagesOnlyForTheirUserAfterTheUserCommand) {
    browser.pageComplete("msg(early)user(zo)msg(hello zoe)");
    EXPECT_EQ(host.messages, (std::vector<std::string>{"hello zoe"}));
    browser.pageComplete("msg(again)");
    EXPECT_EQ(host.messages.size(), 1u) << "a match holds for its own page only";
    browser.pageComplete("user(zoey)msg(too long a name)user(bob)msg(not you)");
    EXPECT_EQ(host.messages.size(), 1u);
    browser.pageComplete("user()msg(anyone)");
    EXPECT_EQ(host.messages.back(), "anyone") << "an empty name matches everyone";
}

TEST_F(ScoreBrowserTest, UpdateNoticeOncePerRun) {
    browser.pageComplete("update(001You have the latest)");
    EXPECT_TRUE(host.information.empty());
    browser.pageComplete("update(002A new Coilrun is out)");
    EXPECT_EQ(host.information, (std::vector<std::string>{"A new Coilrun is out"}));
    browser.pageComplete("update(003Even newer)");
    EXPECT_EQ(host.information.size(), 1u);
}

TEST_F(ScoreBrowserTest, StyleOnceLoadsTheAddPageAndFramelessKeepsTheViewsFrameOutside) {
    browser.pageComplete("style(bsNone)");
    EXPECT_EQ(host.styles, (std::vector<BorderStyle>{BorderStyle::None}));
    EXPECT_EQ(browser.styleState(), "False");
    EXPECT_TRUE(host.styleTimer);
    EXPECT_EQ(host.loads.back(), "http://127.0.0.1:8765/Coilrun/data/add");
    browser.constrainedResize();
    EXPECT_EQ(host.view, (std::array<int, 4>{-5, -5, 758 + 30, 473 + 30}));

    browser.pageComplete("style(bsSizeable)");
    EXPECT_EQ(host.styles.size(), 1u) << "a second style changes nothing";
    EXPECT_EQ(browser.styleState(), "False");
    browser.pageComplete("title(x)");
    EXPECT_EQ(browser.styleState(), "True") << "any other command";
    browser.constrainedResize();
    EXPECT_EQ(host.view, (std::array<int, 4>{-5, -5, 758 + 30, 473 + 30}))
        << "left alone while the style timer runs";
}

TEST_F(ScoreBrowserTest, OtherStylesSoundTransparencyAndTheWayOut) {
    browser.constrainedResize();
    EXPECT_EQ(host.view, (std::array<int, 4>{0, 0, 758, 473}));
    browser.pageComplete("style(bsToolWindow)sound()tranco(#ff00ff)goback()");
    EXPECT_EQ(host.styles, (std::vector<BorderStyle>{BorderStyle::ToolWindow}));
    EXPECT_FALSE(host.silent);
    EXPECT_EQ(host.transparent, "#ff00ff");
    EXPECT_EQ(host.log, (std::vector<std::string>{"back"}));
    browser.pageComplete("skip()title(never)");
    EXPECT_EQ(host.log.back(), "end");
    EXPECT_TRUE(host.caption.empty());
    browser.pageComplete("http://127.0.0.1:8765/Coilrun/data/count.php");
    EXPECT_EQ(browser.lastTitle(), "") << "an address is no title";
    browser.pageComplete("Skip()GOBACK()");
    EXPECT_EQ(host.log.size(), 2u) << "names are case-sensitive";
}

} // namespace
} // namespace coilrun::online
