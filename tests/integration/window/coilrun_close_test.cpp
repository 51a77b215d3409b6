// The real program closed by the window system: a WM_DELETE_WINDOW message to the game
// window (what a window manager sends on Alt+F4 or its close button; Xvfb has no
// window manager, so the test sends it) ends the program as Escape on the level-over
// screen does: exit code 0, and the settings say the game has run here.
#include "tests/integration/startup/http_test_server.h"
#include "tests/integration/window/delete_window_message.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <xcb/xcb.h>

namespace coilrun {
namespace {

using coilrun::testing::HttpTestServer;
using coilrun::testing::sendDeleteWindow;

QString coilrunPath;

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Whether window is a top-level one: the view and the panel inside the game window are
// native windows of the same size.
bool topLevel(xcb_window_t window) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr), &std::free);
    const bool top = tree && tree->parent == tree->root;
    xcb_disconnect(c);
    return top;
}

// The game window: the visible top-level window of the process whose caption is the
// game's status line, as an X window id.
xcb_window_t findGameWindow(qint64 pid) {
    const QStringList ids =
        run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)})
            .split('\n', Qt::SkipEmptyParts);
    for (const QString& id : ids)
        if (run("xdotool", {"getwindowname", id}).contains("SnakeLength") && topLevel(id.toULong()))
            return xcb_window_t(id.toULong());
    return 0;
}

TEST(CoilrunClose, ClosingTheGameWindowEndsTheProgramAndMarksTheSettings) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
    HttpTestServer server(HttpTestServer::Mode::Page, HttpTestServer::pageWithTitle("a  1+"));
    QTemporaryDir home;
    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("COILRUN_SCORE_SERVER", server.url());
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1"); // the tests run as root
    game.setProcessEnvironment(env);
    game.setProcessChannelMode(QProcess::ForwardedChannels);
    game.start(coilrunPath, {});
    ASSERT_TRUE(game.waitForStarted(10000));

    xcb_window_t main = 0;
    QElapsedTimer clock;
    clock.start();
    while (!main && clock.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        main = findGameWindow(game.processId());
        if (!main) QThread::msleep(100);
    }
    ASSERT_NE(main, 0u) << "the game window did not appear";
    // Let the menu scene start drawing: closing must work mid-flight.
    QThread::msleep(1500);
    const QString settings = home.filePath(".config/Quorvex/Coilrun.conf");
    QFile::remove(settings);

    ASSERT_TRUE(sendDeleteWindow(main));
    clock.restart();
    while (game.state() != QProcess::NotRunning && clock.elapsed() < 15000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        game.waitForFinished(50);
    }
    ASSERT_EQ(game.state(), QProcess::NotRunning) << "the program is still running";
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);

    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << settings.toStdString();
    EXPECT_TRUE(file.readAll().contains("Creator=Velmora"));
}

} // namespace
} // namespace coilrun

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PATH_TO_COILRUN\n", argv[0]);
        return 2;
    }
    coilrun::coilrunPath = QString::fromLocal8Bit(argv[1]);
    return RUN_ALL_TESTS();
}
