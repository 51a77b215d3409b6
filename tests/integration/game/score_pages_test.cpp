// The real program against score servers that a player may meet: one whose pages
// carry hostile titles, none at all, one that accepts connections and never
// answers, one whose page never finishes loading; and settings it cannot read. In
// each the game starts, plays a level and quits through the menu, the score browser
// stays a window the player can read and close, and the program ends as it should.
// Seen from outside: X windows and their captions, message boxes read by OCR, the
// requests the test's own server received.
#include "tests/integration/game/game_fixture.h"
#include "tests/integration/startup/http_test_server.h"
#include "tests/integration/window/delete_window_message.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTcpServer>
#include <algorithm>

namespace coilrun::integration {
namespace {

using coilrun::testing::HttpTestServer;
using Reply = HttpTestServer::Reply;

const QStringList kMainMenu{"CHOOSE LEVEL", "HIGH SCORE", "CREDITS", "QUIT"};

// An address where nothing listens.
QString closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return QString("http://127.0.0.1:%1").arg(probe.serverPort());
}

class ScorePages : public GameFixture {
protected:
    void SetUp() override {
        shotFolder = "integration_score_pages_shots";
        if (site) scoreServerUrl = site->url();
        GameFixture::SetUp();
    }

    // Message boxes are dialogs to the window system; the score browser is not.
    bool isBox(const Window& w) {
        return tool("xprop", {"-id", w.id, "_NET_WM_WINDOW_TYPE"}).contains("DIALOG");
    }
    std::vector<Window> boxes() {
        std::vector<Window> found;
        for (const Window& w : windows())
            if (isBox(w)) found.push_back(w);
        return found;
    }
    // Top-level: the game window's view and panel are native windows of their own.
    bool topLevel(const Window& w) {
        static const QRegularExpression parent("Parent window id: \\S+ \\(the root window\\)");
        return tool("xwininfo", {"-id", w.id, "-tree"}).contains(parent);
    }
    // The score browser: the mapped top-level window that is neither the game's (its
    // caption is the status line), nor the splash, nor a box.
    std::optional<Window> scoreBrowser() {
        for (const Window& w : windows())
            if (!w.caption.startsWith("Musictime") && w.geometry.size() != QSize(262, 182) &&
                topLevel(w) && !isBox(w))
                return w;
        return std::nullopt;
    }

    QString describe(const std::vector<Window>& list) {
        QStringList out;
        for (const Window& w : list)
            out << QString("\"%1\" %2 x %3 at (%4, %5)")
                       .arg(w.caption.left(40))
                       .arg(w.geometry.width())
                       .arg(w.geometry.height())
                       .arg(w.geometry.left())
                       .arg(w.geometry.top());
        return out.join("; ");
    }

    // Level 1 from the main menu, its first seconds of play, the pause menu and its
    // Quit: the score browser comes up with the run report.
    void playALevelAndQuit() {
        QList<ReadWord> words = untilRead("menu", kMainMenu, 180);
        ASSERT_TRUE(ScreenReader::contains(words, "HIGH SCORE"))
            << "no main menu; read: " << ScreenReader::allText(words).toStdString();
        ASSERT_TRUE(tapUntilGone("space", "menu", {"HIGH SCORE", "CHOOSE LEVEL"}, 3))
            << "Space did not start level 1";
        idle(3000);
        quitFromThePause(false);
    }
    // Escape pauses the game unless it is paused already (as it is when a page led back
    // to it); the pause menu's Quit brings up the score browser.
    void quitFromThePause(bool paused = true) {
        QList<ReadWord> words;
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (paused) {
                words = untilRead("paused", {"Quit"}, attempt == 0 ? 6 : 15);
                if (ScreenReader::contains(words, "Quit")) break;
            }
            focus();
            tap("Escape");
            paused = true;
        }
        const auto quit = ScreenReader::find(words, "Quit");
        ASSERT_TRUE(quit) << "no pause menu; read: " << ScreenReader::allText(words).toStdString();
        clickAt(quit->center());
        ASSERT_TRUE(waitUntil([&] { return scoreBrowser().has_value(); }, 60))
            << "no score browser after Quit";
    }
    // The window system closes the score browser, as a player does: the program ends.
    void closeTheScoreBrowserAndExpectTheEnd() {
        const auto browser = scoreBrowser();
        ASSERT_TRUE(browser);
        ASSERT_TRUE(coilrun::testing::sendDeleteWindow(xcb_window_t(browser->id.toULong()),
                                                       qPrintable(desktop.display())));
        EXPECT_TRUE(game.waitForFinished(20000)) << "closing its windows did not end the game";
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(game.exitCode(), 0);
    }

    std::unique_ptr<HttpTestServer> site;
};

// Page commands a hostile server may send, each with what the program may show for
// it at most. A page's body leads back to the game when the test says so.
struct HostileTitle {
    QByteArray title;
    int boxes;           // message boxes, one after another
    QStringList boxText; // read on the screen in the first box, tags and all
};

QByteArray repeated(const QByteArray& pattern, int count) {
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += QByteArray(pattern).replace("%", QByteArray::number(i));
    return out;
}

class HostilePages : public ScorePages {
protected:
    HostilePages() {
        site = std::make_unique<HttpTestServer>([this](const QByteArray& target) {
            // Asks the server, three times a second, whether to go back to the game.
            static const QByteArray body =
                "Hostile page<script>setInterval(() => fetch('/Coilrun/data/go').then(r => "
                "r.text()).then(t => { if (t === 'yes') location = '/Coilrun/data/back'; }), "
                "300);</script>";
            if (target.startsWith("/Coilrun/data/view.php"))
                return Reply{HttpTestServer::pageWithTitle(scoreList)};
            if (target.startsWith("/Coilrun/data/count.php"))
                return Reply{HttpTestServer::pageWithTitle(current, body)};
            if (target == "/Coilrun/data/go") return Reply{goBack ? "yes" : "no"};
            if (target == "/Coilrun/data/back")
                return Reply{HttpTestServer::pageWithTitle("goback()")};
            return Reply{HttpTestServer::pageWithTitle("added", body)};
        });
    }
    int countLoads() const {
        return int(std::count_if(site->targets().begin(), site->targets().end(),
                                 [](const QByteArray& t) { return t.contains("count.php"); }));
    }

    // A score list of 100,000 characters: one entry, one far too long, and more than the
    // web engine keeps of a title.
    QByteArray scoreList = "Zo\xc3\xab  100+" + QByteArray(200, 'z') + "+" +
                           QByteArray(100000 - 211, 'y');
    QByteArray current;
    bool goBack = false;
};

TEST_F(HostilePages, ShowTheirTextsAsTextOneBoxAtATimeAndReloadOnce) {
    // The score list of 100,000 characters shows its first entry and the way back.
    QList<ReadWord> words = untilRead("menu", kMainMenu, 180);
    ASSERT_TRUE(clickPhrase("menu", "HIGH SCORE", 30));
    words = untilRead("scores", {"BEST SCORE", "GO BACK"}, 30);
    EXPECT_TRUE(ScreenReader::contains(words, "BEST SCORE"))
        << "read: " << ScreenReader::allText(words).toStdString();
    ASSERT_TRUE(clickPhrase("scores", "GO BACK", 10)) << "no way back from the score list";

    // The web engine keeps a title's first 4,096 characters; the caption is in them.
    const QByteArray longTitle =
        "title(" + QByteArray(3000, 'T') + ")" + QByteArray(100000 - 3007, 'x');
    // Inside Latin-1 and outside it.
    const QByteArray kCaption = "Zo\xc3\xab \xe2\x80\x93 \xe6\x9d\x8e";
    const std::vector<HostileTitle> titles{
        {"title(" + kCaption + ")user()msg(<b>zork</b> Zo\xc3\xab)update(002<i>new</i> version)",
         2,
         {"<b>zork</b>"}},
        {"height(400)height(500)", 0, {}},
        {"height(300)user()msg(first)msg(second)", 2, {"first"}},
        // One box a page: the page itself and its reload for the new size.
        {repeated("title(p%)width(3%)height(2%)user()msg(m%)sound()x%(%)", 143), 2, {}},
        {longTitle, 0, {}},
        {"width(-2147483648)", 0, {}},
        {"style(bsNone)width(-5000)height(-5000)", 0, {}},
    };
    int page = 0;
    QElapsedTimer clock;
    clock.start();
    for (const HostileTitle& hostile : titles) {
        ++page;
        SCOPED_TRACE("page " + std::to_string(page) + ": " + hostile.title.left(60).toStdString());
        current = hostile.title;
        goBack = false;
        const int loadsBefore = countLoads();
        if (page == 1)
            playALevelAndQuit();
        else
            quitFromThePause();
        if (HasFatalFailure()) return;

        // Boxes as they come, for a while after the last: closed one by one with Enter,
        // never two at once.
        QSet<QString> seen;
        int together = 0;
        QElapsedTimer quiet, watching;
        quiet.start();
        watching.start();
        while (quiet.elapsed() < 5000 && watching.elapsed() < 60000) {
            const std::vector<Window> open = boxes();
            together = std::max(together, int(open.size()));
            if (open.empty()) {
                idle(250);
                continue;
            }
            if (seen.isEmpty() && !hostile.boxText.isEmpty()) {
                words = untilRead(QString("box-%1").arg(page), hostile.boxText, 20);
                for (const QString& text : hostile.boxText)
                    EXPECT_TRUE(ScreenReader::contains(words, text))
                        << "\"" << text.toStdString() << "\" in the box; read: "
                        << ScreenReader::allText(words).toStdString();
            }
            // Enter in each: only the one on top takes it, should they be nested.
            for (const Window& box : open) {
                seen.insert(box.id);
                tool("xdotool", {"windowfocus", "--sync", box.id});
                tool("xdotool", {"key", "Return"});
            }
            idle(500);
            quiet.restart();
        }
        const auto browser = scoreBrowser();
        ASSERT_TRUE(browser) << "the score browser is gone";
        const int loads = countLoads() - loadsBefore;
        note(QString("page %1: %2 count.php loads (%3 reloads), %4 message boxes, at most %5 "
                     "at once; score browser %6 x %7, caption of %8 characters (at %9 s)")
                 .arg(page)
                 .arg(loads)
                 .arg(loads - 1)
                 .arg(seen.size())
                 .arg(together)
                 .arg(browser->geometry.width())
                 .arg(browser->geometry.height())
                 .arg(browser->caption.size())
                 .arg(clock.elapsed() / 1000));
        EXPECT_LE(loads, 2) << "the page reloads itself";
        EXPECT_EQ(seen.size(), hostile.boxes);
        EXPECT_LE(together, 1) << "boxes nested";
        EXPECT_GE(browser->geometry.width(), 200);
        EXPECT_GE(browser->geometry.height(), 150);
        EXPECT_LE(browser->caption.toUtf8().size(), 256);
        if (page == 1) {
            EXPECT_EQ(browser->caption, QString::fromUtf8(kCaption));
        }
        if (page == 2) {
            EXPECT_EQ(browser->geometry.height(), 500) << "the last size asked";
        }
        if (hostile.title == longTitle) {
            EXPECT_EQ(browser->caption, QString(256, 'T'));
        }

        goBack = true;
        ASSERT_TRUE(waitUntil([&] { return !scoreBrowser(); }, 30))
            << "the page led nowhere; still mapped: " << describe(windows()).toStdString();
        ASSERT_EQ(game.state(), QProcess::Running);
    }

    // Back in the game once more; this time the player closes the score browser.
    current = "title(last)";
    quitFromThePause();
    closeTheScoreBrowserAndExpectTheEnd();
}

class NoScoreServer : public ScorePages {
protected:
    NoScoreServer() { scoreServerUrl = closedPort(); }
};

TEST_F(NoScoreServer, TheGamePlaysQuitsAndEnds) {
    playALevelAndQuit();
    if (HasFatalFailure()) return;
    closeTheScoreBrowserAndExpectTheEnd();
}

// The score list's server accepts and never answers (the game window comes after 20
// seconds); the run report's page never finishes loading.
class StalledScoreServer : public ScorePages {
protected:
    StalledScoreServer() {
        site = std::make_unique<HttpTestServer>([](const QByteArray& target) {
            if (target.startsWith("/Coilrun/data/view.php")) return Reply{{}, Reply::Send::Nothing};
            return Reply{HttpTestServer::pageWithTitle("title(still loading)", "half a page"),
                         Reply::Send::Part};
        });
    }
};

TEST_F(StalledScoreServer, TheGamePlaysQuitsAndEnds) {
    playALevelAndQuit();
    if (HasFatalFailure()) return;
    idle(3000);
    closeTheScoreBrowserAndExpectTheEnd();
}

// The settings store is a folder where its file belongs: the program cannot start.
class UnreadableSettings : public ScorePages {
protected:
    UnreadableSettings() { scoreServerUrl = closedPort(); }
    void beforeGameStarts() override {
        ASSERT_TRUE(QDir().mkpath(desktop.path("game-home/.config/Quorvex/Coilrun.conf")));
    }
};

TEST_F(UnreadableSettings, StartUpSaysWhyAndExitsWithAFailure) {
    std::vector<Window> open;
    ASSERT_TRUE(waitUntil([&] { return !(open = boxes()).empty(); }, 60))
        << "no message box; the game " << (game.state() == QProcess::Running ? "runs" : "ended");
    const QList<ReadWord> words = untilRead("start-up-error", {"could not start", "Failed"}, 20);
    EXPECT_TRUE(ScreenReader::contains(words, "could not start") &&
                ScreenReader::contains(words, "Failed to create key"))
        << "read: " << ScreenReader::allText(words).toStdString();
    tool("xdotool", {"windowfocus", "--sync", open.front().id});
    tool("xdotool", {"key", "Return"});
    ASSERT_TRUE(game.waitForFinished(20000)) << "the box closed, the program did not end";
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << "it crashed";
    EXPECT_EQ(game.exitCode(), 1);
}

} // namespace
} // namespace coilrun::integration
