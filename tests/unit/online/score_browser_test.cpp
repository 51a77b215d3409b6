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
    int clientWidth() const override { return width - border.first; }
    int clientHeight() const override { return height - border.second; }
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
    std::pair<int, int> border{8, 30}; // what the frame adds across and down
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
    EXPECT_EQ(host.loads,
              (std::vector<std::string>{"http://h/Coilrun/data/count.php?NEW=FALSE&SCORE=3",
                                        "http://h/Coilrun/data/count.php"}))
        << "both sizes, one reload";
    browser.pageComplete("width(600)height(400)");
    EXPECT_EQ(host.loads.size(), 2u) << "the reloaded page changes nothing more";
    EXPECT_FALSE(host.maximized);

    browser.pageComplete("height(5000)");
    EXPECT_EQ(host.height, 780);
    EXPECT_TRUE(host.maximized);
    host.maximized = false;
    browser.pageComplete("width(4000)");
    EXPECT_EQ(host.width, 1260) << "a width wider than the screen is kept within it";
    EXPECT_TRUE(host.maximized);
}

TEST_F(ScoreBrowserTest, ReloadsForSizeOncePerLoadedPageWhateverTheTitlesAsk) {
    const std::string reload = "http://h/Coilrun/data/count.php";
    browser.load(reload + "?NEW=TRUE");
    // Each size is new against the other: every completed reload would reload again.
    for (int i = 0; i < 5; ++i)
        browser.pageComplete("height(400)height(500)width(600)");
    EXPECT_EQ(std::count(host.loads.begin(), host.loads.end(), reload), 1);
    EXPECT_EQ(host.height, 500) << "the sizes still apply, the last one winning";
    EXPECT_EQ(host.width, 600);
    browser.load(reload + "?NEW=FALSE");
    browser.pageComplete("height(400)");
    EXPECT_EQ(std::count(host.loads.begin(), host.loads.end(), reload), 2)
        << "the next report may reload for its size once";
}

TEST_F(ScoreBrowserTest, SizesHaveAFloorAndAnyIntIsSafe) {
    browser.pageComplete("style(bsSizeable)width(-5000)height(-5000)");
    EXPECT_EQ(host.width - host.border.first, kMinClientWidth);
    EXPECT_EQ(host.height - host.border.second, kMinClientHeight);
    EXPECT_FALSE(host.maximized);
    browser.pageComplete("width(-2147483648)height(2147483647)");
    EXPECT_EQ(host.width, kMinClientWidth + 8);
    EXPECT_EQ(host.height, 780);
    EXPECT_TRUE(host.maximized);
    browser.pageComplete("width(2147483647)height(-2147483648)");
    EXPECT_EQ(host.width, 1260);
    EXPECT_EQ(host.height, kMinClientHeight + 30);

    host.border = {0, 0}; // frameless: the whole window is client area
    browser.pageComplete("width(0)height(1)");
    EXPECT_EQ(host.width, kMinClientWidth);
    EXPECT_EQ(host.height, kMinClientHeight);
    browser.pageComplete("width(99999999999)");
    EXPECT_EQ(host.errors.size(), 1u) << "beyond an int is no number";
}

TEST_F(ScoreBrowserTest, TextsReachTheHostAsTheyAreWithinTheirBounds) {
    browser.pageComplete("user()msg(<b>zork</b> Zo\xc3\xab)update(002<a href=x>new</a>)");
    EXPECT_EQ(host.messages, (std::vector<std::string>{"<b>zork</b> Zo\xc3\xab"}));
    EXPECT_EQ(host.information, (std::vector<std::string>{"<a href=x>new</a>"}));

    std::string umlauts;
    for (int i = 0; i < 100000; ++i)
        umlauts += "\xc3\xab";
    browser.pageComplete("title(" + umlauts + ")user()msg(" + umlauts + ")width(" + umlauts + ")");
    EXPECT_EQ(host.caption.size(), kMaxCaptionBytes);
    EXPECT_EQ(host.caption.substr(0, 2), "\xc3\xab");
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].size(), kMaxMessageBytes);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_LE(host.errors[0].size(), kMaxMessageBytes);
    EXPECT_NE(host.errors[0].find("' is not a valid integer value"), std::string::npos);

    // A cut never splits a character: 3 bytes into a 2-byte one keeps 2.
    browser.pageComplete("title(a" + umlauts + ")");
    EXPECT_EQ(host.caption.size(), kMaxCaptionBytes - 1);
}

// A message box runs a loop of its own, in which the view's pages still complete.
struct NestingHost : RecordingHost {
    ScoreBrowser* browser = nullptr;
    std::vector<std::string> arriving; // pages that complete while the next box is open
    int open = 0, deepest = 0;
    void box(std::vector<std::string>& shown, const std::string& t) {
        deepest = std::max(deepest, ++open);
        shown.push_back(t);
        std::vector<std::string> pages;
        pages.swap(arriving);
        for (const std::string& page : pages)
            browser->pageComplete(page);
        --open;
    }
    void showMessage(const std::string& t) override { box(messages, t); }
    void showInformation(const std::string& t) override { box(information, t); }
    void showError(const std::string& t) override { box(errors, t); }
};

TEST(ScoreBrowserBoxes, NeverNestAndOnePageShowsOneOfEachKind) {
    NestingHost host;
    ScoreBrowser browser(host, "http://h");
    host.browser = &browser;
    host.arriving = {"title(lost)user()msg(overtaken)", "title(last)user()msg(second)"};
    browser.pageComplete("user()msg(first)msg(again)update(002notice)update(003twice)title(one)");
    EXPECT_EQ(host.deepest, 1);
    EXPECT_EQ(host.messages, (std::vector<std::string>{"first", "second"}))
        << "the page under the box ran after it, the last of those that came";
    EXPECT_EQ(host.information, (std::vector<std::string>{"notice"}));
    EXPECT_EQ(host.caption, "last") << "the waiting page ran after the whole first page";

    host.arriving = {"width(x)"};
    browser.pageComplete("height(y)");
    EXPECT_EQ(host.deepest, 1);
    EXPECT_EQ(host.errors.size(), 2u) << "an error box defers pages as well";
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
