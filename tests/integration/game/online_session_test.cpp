// The real program's online side, worked with the pointer as a player works it:
// the HIGH SCORE overlay with the list the score server gave the splash, QUIT and
// the score browser with the run report stored by the server, the page's links
// back to the game and out of it, a credit page, and a page that asks for another
// window size. Seen from outside: screenshots read by OCR, the X windows of the
// process, the server's store and request log.
#include "tests/integration/game/game_fixture.h"
#include "tests/integration/server/http_client.h"
#include "tests/integration/startup/http_test_server.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <algorithm>

namespace coilrun::integration {
namespace {

const QStringList kMainMenu{"CHOOSE LEVEL", "HIGH SCORE", "CREDITS", "QUIT"};

// A report as the server keeps it.
struct StoredReport {
    QString newFlag;
    QVariant score;
    QString player;
};

std::vector<StoredReport> storedReports(const QString& databaseFile) {
    std::vector<StoredReport> reports;
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(databaseFile);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (db.open()) {
            QSqlQuery q(db);
            q.exec("SELECT new_flag, score, player FROM reports ORDER BY id");
            while (q.next())
                reports.push_back({q.value(0).toString(), q.value(1), q.value(2).toString()});
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return reports;
}

class OnlineSession : public GameFixture {
protected:
    // The score browser: the mapped window of the process that is not the game's.
    std::optional<Window> scoreBrowser() {
        for (const Window& w : windows())
            if (w.geometry.size() != kScreen && w.geometry.width() > 300) return w;
        return std::nullopt;
    }
    bool mainMenuShown(double seconds) {
        const QList<ReadWord> words = untilRead("menu", kMainMenu, seconds);
        return std::all_of(kMainMenu.begin(), kMainMenu.end(),
                           [&](const QString& p) { return ScreenReader::contains(words, p); });
    }
};

class ReferenceServerSession : public OnlineSession {
protected:
    void SetUp() override {
        shotFolder = "integration_online_shots";
        GameFixture::SetUp();
    }
    // Ten runs with scores are on the server before the game asks for its list, the
    // best two last: its list is full, the best five and the latest five, taller than
    // the screen at the authored line spacing. One player is named like a menu item.
    void beforeGameStarts() override {
        std::vector<std::string> reports;
        for (int i = 1; i <= 8; ++i)
            reports.push_back("NEW=FALSE&DATE=1/2/2026&SCORE=" + std::to_string(800 + i) +
                              "&USER=" + (i == 8 ? "Quit%20Game" : "Runner" + std::to_string(i)));
        reports.push_back("NEW=FALSE&DATE=1/2/2026&SCORE=966&USER=Alice");
        reports.push_back("NEW=FALSE&DATE=1/2/2026&SCORE=905&USER=Bob");
        for (const std::string& report : reports)
            ASSERT_EQ(
                server::testing::httpGet(server.port(), "/Coilrun/data/count.php?" + report).status,
                200);
    }
};

TEST_F(ReferenceServerSession, ScoresQuitBackToTheGameCreditsAndQuit) {
    ASSERT_TRUE(mainMenuShown(180)) << "no main menu";

    // HIGH SCORE shows the server's list, the best and the latest runs, and the way
    // back below them on the screen.
    ASSERT_TRUE(clickPhrase("menu", "HIGH SCORE", 30));
    QList<ReadWord> words = untilRead("scores", {"Alice 966", "Bob 905", "GO BACK"}, 30);
    for (const QString& phrase :
         QStringList{"BEST SCORE", "Alice 966", "Bob 905", "LATEST SCORES", "Runner6 806"})
        EXPECT_TRUE(ScreenReader::contains(words, phrase))
            << "\"" << phrase.toStdString()
            << "\" on the score list; read: " << ScreenReader::allText(words).toStdString();
    // A player's name is no link, whatever it reads.
    ASSERT_TRUE(clickPhrase("scores", "Quit Game 808", 10));
    idle(1500);
    EXPECT_FALSE(scoreBrowser()) << "a name on the list quit the game";
    ASSERT_TRUE(clickPhrase("scores", "GO BACK", 10));
    ASSERT_TRUE(mainMenuShown(30)) << "GO BACK did not bring the main menu back";

    // QUIT sends the run report and shows the server's answer in the score browser.
    const auto reportsBefore = storedReports(desktop.path("scores.sqlite"));
    ASSERT_TRUE(clickPhrase("menu", "QUIT", 10));
    QElapsedTimer sinceQuit;
    sinceQuit.start();
    std::optional<Window> browser;
    ASSERT_TRUE(waitUntil(
        [&] {
            browser = scoreBrowser();
            return browser && browser->caption.startsWith("Coilrun - ");
        },
        60, 50))
        << "no score browser with the server's caption";
    const qint64 captionMs = sinceQuit.elapsed();
    words = untilRead("quit-page", {"Back to the game"}, 60);
    for (const Window& w : windows())
        note(QString("window %1 \"%2\" at (%3, %4) %5 x %6")
                 .arg(w.id, w.caption)
                 .arg(w.geometry.left())
                 .arg(w.geometry.top())
                 .arg(w.geometry.width())
                 .arg(w.geometry.height()));
    note(QString("QUIT clicked to the page's caption on the score browser: %1 ms, to its "
                 "link read on the screen: %2 ms (caption \"%3\", %4 x %5)")
             .arg(captionMs)
             .arg(sinceQuit.elapsed())
             .arg(browser->caption)
             .arg(browser->geometry.width())
             .arg(browser->geometry.height()));
    EXPECT_EQ(browser->caption, "Coilrun - No score this run");
    EXPECT_EQ(browser->geometry.size(), QSize(758, 473)) << "the page's width and height";
    const auto reports = storedReports(desktop.path("scores.sqlite"));
    ASSERT_EQ(reports.size(), reportsBefore.size() + 1) << "one report per quit";
    EXPECT_EQ(reports.back().newFlag, "TRUE") << "a fresh settings store";
    EXPECT_TRUE(reports.back().score.isNull()) << "no score was made";
    EXPECT_FALSE(mainWindow() && mainWindow()->geometry.size() == kScreen)
        << "the game window stayed over the score browser";

    // "Back to the game" (goback) hides the score browser and gives the game back.
    // Space went down in the score browser: it is the browser's, and though it is
    // still held when the game's menu has the keyboard again, it starts no game.
    tool("xdotool", {"windowfocus", "--sync", browser->id});
    keyDown("space");
    ASSERT_TRUE(clickPhrase("quit-page", "Back to the game", 10));
    EXPECT_TRUE(waitUntil([&] { return !scoreBrowser(); }, 30)) << "the score browser stayed";
    focus();
    idle(1500);
    EXPECT_TRUE(mainMenuShown(60)) << "no main menu after going back";
    keyUp("space");
    const auto gameWindow = mainWindow();
    ASSERT_TRUE(gameWindow);
    EXPECT_EQ(gameWindow->geometry, QRect(QPoint(0, 0), kScreen)) << "the layout tick runs again";

    // A credit line opens its page; the page's link returns to the game, where the
    // credits are still open.
    ASSERT_TRUE(clickPhrase("menu", "CREDITS", 10));
    ASSERT_TRUE(clickPhrase("credits", "Kestrin", 30));
    words = untilRead("credit-page", {"Kestrin", "Back to the game"}, 60);
    EXPECT_TRUE(ScreenReader::contains(words, "Back to the game"))
        << "read: " << ScreenReader::allText(words).toStdString();
    EXPECT_TRUE(serverLog().contains("GET /Coilrun/data/Kestrin.php 200"));
    ASSERT_TRUE(clickPhrase("credit-page", "Back to the game", 10));
    ASSERT_TRUE(clickPhrase("credits", "GO BACK", 60)) << "the credits did not come back";
    EXPECT_TRUE(mainMenuShown(60)) << "no main menu after the credits";

    // QUIT again, and the page's Quit link (skip) ends the program.
    ASSERT_TRUE(clickPhrase("menu", "QUIT", 10));
    words = untilRead("quit-page-2", {"Back to the game", "Quit"}, 60);
    // The page's Quit link is below the way back, left of the player "Quit Game" in
    // the page's top ten.
    const auto back = ScreenReader::find(words, "Back to the game");
    ASSERT_TRUE(back) << "read: " << ScreenReader::allText(words).toStdString();
    QList<ReadWord> links;
    for (const ReadWord& word : words)
        if (word.box.left() < back->right()) links << word;
    const auto quit = ScreenReader::find(links, "Quit");
    ASSERT_TRUE(quit) << "read: " << ScreenReader::allText(words).toStdString();
    EXPECT_EQ(storedReports(desktop.path("scores.sqlite")).size(), reportsBefore.size() + 2);
    clickAt(quit->center());
    QElapsedTimer sinceLink;
    sinceLink.start();
    EXPECT_TRUE(game.waitForFinished(30000)) << "the Quit link did not end the program";
    note(QString("Quit link clicked to the process's exit: %1 ms").arg(sinceLink.elapsed()));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
}

// A server whose every page asks for a 600 x 400 window.
class SizeAskingServerSession : public OnlineSession {
protected:
    void SetUp() override {
        shotFolder = "integration_online_shots";
        scoreServerUrl = site.url();
        GameFixture::SetUp();
    }
    coilrun::testing::HttpTestServer site{
        coilrun::testing::HttpTestServer::Mode::Page,
        coilrun::testing::HttpTestServer::pageWithTitle("width(600)height(400)")};
};

TEST_F(SizeAskingServerSession, ResizesOnceAndDoesNotSendTheReportTwice) {
    ASSERT_TRUE(mainMenuShown(180)) << "no main menu";
    ASSERT_TRUE(clickPhrase("menu", "QUIT", 10));
    std::optional<Window> browser;
    EXPECT_TRUE(waitUntil(
        [&] {
            browser = scoreBrowser();
            return browser && browser->geometry.size() == QSize(600, 400);
        },
        60))
        << "the score browser never took 600 x 400";
    // Then it settles: no page reloads itself without end.
    idle(5000);
    QStringList counts;
    for (const QByteArray& target : site.targets())
        if (target.contains("count.php")) counts << QString::fromLatin1(target);
    note("count.php requests: " + counts.join(", "));
    ASSERT_FALSE(counts.isEmpty());
    EXPECT_TRUE(counts[0].contains("?NEW=TRUE")) << "the run report comes first";
    for (qsizetype i = 1; i < counts.size(); ++i)
        EXPECT_EQ(counts[i], "/Coilrun/data/count.php") << "a reload sent the report again";
    EXPECT_GE(counts.size(), 2) << "the page was not reloaded for its new size";
    EXPECT_LE(counts.size(), 3) << "the page keeps reloading";
    browser = scoreBrowser();
    ASSERT_TRUE(browser);
    EXPECT_EQ(browser->geometry.size(), QSize(600, 400));
    EXPECT_EQ(browser->geometry.center(), QRect(QPoint(0, 0), kScreen).center())
        << "centred on the screen";
}

} // namespace
} // namespace coilrun::integration
