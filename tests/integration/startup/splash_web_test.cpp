// The splash with the real web view against a loopback server: what the
// score list becomes, and when the game window comes up.
#include "app/coilrun_app.h"
#include "platform/qt/qt_platform.h"
#include "tests/integration/startup/http_test_server.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace coilrun {
namespace {

using coilrun::testing::HttpTestServer;

// Runs the Qt loop until the game window shows or maxSeconds pass; returns seconds waited.
double waitForMainWindow(CoilrunApp& app, double maxSeconds) {
    QElapsedTimer clock;
    clock.start();
    while (!app.mainForm().window().isVisible() && clock.elapsed() < maxSeconds * 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return clock.elapsed() / 1000.0;
}

struct SplashWebTest : ::testing::Test {
    void useServer(const QString& url) { qputenv("COILRUN_SCORE_SERVER", url.toLatin1()); }
    void TearDown() override { qunsetenv("COILRUN_SCORE_SERVER"); }
};

TEST_F(SplashWebTest, PageTitleBecomesTheScoreList) {
    // A page title's runs of blanks collapse to one, as in every browser.
    const QByteArray title = "alice 1234+bob 99++carol 5+";
    HttpTestServer server(HttpTestServer::Mode::Page, HttpTestServer::pageWithTitle(title));
    useServer(server.url());
    qt::QtPlatform platform;
    CoilrunApp app(platform);
    const double waited = waitForMainWindow(app, 30);
    ASSERT_TRUE(app.mainForm().window().isVisible());
    EXPECT_LT(waited, 5.0) << "the page completed; the game window should not wait for 20 s";
    EXPECT_TRUE(app.splash().scoreListAvailable);
    EXPECT_EQ(app.splash().scoreListText, title.toStdString());
    EXPECT_GE(server.requests(), 1);
}

TEST_F(SplashWebTest, PageWithoutTitleIsNoScoreList) {
    HttpTestServer server(HttpTestServer::Mode::Page, "<html><body>no title here</body></html>");
    useServer(server.url());
    qt::QtPlatform platform;
    CoilrunApp app(platform);
    const double waited = waitForMainWindow(app, 30);
    ASSERT_TRUE(app.mainForm().window().isVisible());
    EXPECT_LT(waited, 5.0);
    EXPECT_FALSE(app.splash().scoreListAvailable) << app.splash().scoreListText;
}

TEST_F(SplashWebTest, NothingListeningShowsTheGameWindowAtOnce) {
    quint16 port;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
    }
    useServer(QString("http://127.0.0.1:%1").arg(port));
    qt::QtPlatform platform;
    CoilrunApp app(platform);
    const double waited = waitForMainWindow(app, 30);
    ASSERT_TRUE(app.mainForm().window().isVisible());
    EXPECT_LT(waited, 5.0) << "a refused connection completes with an error page";
    EXPECT_FALSE(app.splash().scoreListAvailable);
    EXPECT_EQ(app.splash().scoreListText, "");
}

TEST_F(SplashWebTest, ServerThatNeverAnswersShowsTheGameWindowAtTwentySeconds) {
    HttpTestServer server(HttpTestServer::Mode::Silent);
    useServer(server.url());
    qt::QtPlatform platform;
    CoilrunApp app(platform);
    const double waited = waitForMainWindow(app, 40);
    ASSERT_TRUE(app.mainForm().window().isVisible());
    EXPECT_GT(waited, 19.0);
    EXPECT_LT(waited, 25.0);
    EXPECT_FALSE(app.splash().scoreListAvailable);
    EXPECT_EQ(app.splash().splashTicks, 20);
}

} // namespace
} // namespace coilrun

int main(int argc, char** argv) {
    coilrun::qt::setDefaultGlFormat();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
