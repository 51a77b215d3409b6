// The real program under an X server of its own: its splash is mapped with
// "Loading..." on it, and the game window follows as the score server allows.
// Pictures are read from that server's framebuffer, not through X requests, so
// that neither a busy shared display nor a stalled capture tool decides a test.
#include "tests/integration/game/private_desktop.h"
#include "tests/integration/startup/http_test_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace coilrun {
namespace {

using coilrun::integration::PrivateDesktop;
using coilrun::integration::runTool;
using coilrun::testing::HttpTestServer;

QString coilrunPath;
const QSize kScreen(1280, 800);

struct MappedWindow {
    QString id;
    QRect geometry;
};

// Visible windows of a process with the given size.
std::optional<MappedWindow> findWindow(const PrivateDesktop& desktop, qint64 pid, QSize size) {
    const QProcessEnvironment env = desktop.environment(desktop.path("tools"));
    const QStringList ids =
        runTool("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)}, env, nullptr,
                10000)
            .split('\n', Qt::SkipEmptyParts);
    for (const QString& id : ids) {
        const QString shell =
            runTool("xdotool", {"getwindowgeometry", "--shell", id}, env, nullptr, 10000);
        QRect r;
        for (const QString& line : shell.split('\n')) {
            if (line.startsWith("X=")) r.moveLeft(line.mid(2).toInt());
            if (line.startsWith("Y=")) r.moveTop(line.mid(2).toInt());
            if (line.startsWith("WIDTH=")) r.setWidth(line.mid(6).toInt());
            if (line.startsWith("HEIGHT=")) r.setHeight(line.mid(7).toInt());
        }
        if (r.size() == size) return MappedWindow{id, r};
    }
    return std::nullopt;
}

std::optional<MappedWindow> waitForWindow(const PrivateDesktop& desktop, qint64 pid, QSize size,
                                          double seconds, double* waited = nullptr) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (auto w = findWindow(desktop, pid, size)) {
            if (waited) *waited = clock.elapsed() / 1000.0;
            return w;
        }
        QThread::msleep(50);
    }
    return std::nullopt;
}

struct Game {
    PrivateDesktop desktop{kScreen};
    QProcess process;
    QElapsedTimer sinceStart;
    explicit Game(const QString& server, const QStringList& unset = {}) {
        if (!desktop.ready()) {
            ADD_FAILURE() << desktop.error().toStdString();
            return;
        }
        QProcessEnvironment env = desktop.environment(desktop.path("home"));
        env.insert("COILRUN_SCORE_SERVER", server);
        for (const QString& name : unset)
            env.remove(name);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        integration::endWithParent(process);
        sinceStart.start();
        process.start(coilrunPath, {});
        EXPECT_TRUE(process.waitForStarted(10000));
    }
    ~Game() {
        process.kill();
        process.waitForFinished(10000);
    }
    std::optional<MappedWindow> waitForWindow(QSize size, double seconds,
                                              double* waited = nullptr) {
        if (!desktop.ready()) return std::nullopt;
        return coilrun::waitForWindow(desktop, process.processId(), size, seconds, waited);
    }
    bool hasWindow(QSize size) { return bool(findWindow(desktop, process.processId(), size)); }
    QImage shot(const MappedWindow& w) const { return desktop.screenshot().copy(w.geometry); }
};

TEST(CoilrunProcess, SplashIsMappedWithLoadingOnIt) {
    HttpTestServer server(HttpTestServer::Mode::Silent);
    Game game(server.url());
    double waited = 0;
    auto splash = game.waitForWindow({262, 182}, 30, &waited);
    ASSERT_TRUE(splash) << "no 262 x 182 window was mapped";
    std::printf("[ figure ] start to splash mapped: %.2f s\n", waited);

    QImage image;
    auto whiteIn = [&](QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.red() > 200 && c.green() > 200 && c.blue() > 200;
            }
        return n;
    };
    // The first paint may come a while after mapping on a busy machine: look again
    // until the text is there or 15 s have gone.
    QElapsedTimer painted;
    painted.start();
    int textPixels = 0;
    while (painted.elapsed() < 15000) {
        image = game.shot(*splash);
        if (!image.isNull() && image.size() == QSize(262, 182) &&
            (textPixels = whiteIn({8, 12, 240, 44})) > 400)
            break;
        QThread::msleep(300);
    }
    ASSERT_FALSE(image.isNull()) << "screenshot failed";
    ASSERT_EQ(image.size(), QSize(262, 182));
    EXPECT_GT(textPixels, 400) << "\"Loading...\" in white at the top";
    EXPECT_LT(whiteIn({0, 100, 262, 80}), 100) << "only the picture below the text";
    // The web view that asks for the score list is made after the splash is shown;
    // its arrival must not make the splash's window anew (it would blink).
    QElapsedTimer asked;
    asked.start();
    while (server.requests() < 1 && asked.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    EXPECT_GE(server.requests(), 1) << "the splash's web view asked for no page";
    const auto later = game.waitForWindow({262, 182}, 5);
    ASSERT_TRUE(later) << "the splash is gone";
    EXPECT_EQ(later->id.toStdString(), splash->id.toStdString())
        << "the splash's window was made anew";
    // The game window waits for the page or the 20th second.
    EXPECT_FALSE(game.hasWindow(kScreen));
}

// The test environment switches the web engine's sandbox off; a user who plays as
// root has no such switch, and the engine refuses root with its sandbox on.
TEST(CoilrunProcess, RootWithoutTheSandboxSwitchStillGetsItsGame) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root meets the web engine's refusal";
    HttpTestServer server(HttpTestServer::Mode::Page, HttpTestServer::pageWithTitle("alice  1"));
    Game game(server.url(), {"QTWEBENGINE_DISABLE_SANDBOX"});
    auto main = game.waitForWindow(kScreen, 30);
    ASSERT_TRUE(main) << "the game window did not appear";
    EXPECT_EQ(game.process.state(), QProcess::Running);
    EXPECT_GE(server.requests(), 1) << "the splash's web view loaded the score list";
}

TEST(CoilrunProcess, GameWindowFollowsAPageWithATitle) {
    HttpTestServer server(HttpTestServer::Mode::Page,
                          HttpTestServer::pageWithTitle("alice  1234+bob  99++"));
    Game game(server.url());
    double waited = 0;
    const QSize screen = kScreen;
    auto main = game.waitForWindow(screen, 30, &waited);
    ASSERT_TRUE(main) << "the game window did not appear";
    EXPECT_LT(waited, 5.0);
    EXPECT_GE(server.requests(), 1);
    std::printf("[ figure ] start to game window mapped: %.2f s\n",
                game.sinceStart.elapsed() / 1000.0);

    // The menu scene shows through the menu camera: first the maker's lettering in
    // front of the veil, then, once the opening flight has lifted the veil, the
    // snake's head at the playfield's centre.
    auto litShare = [](const QImage& image, QRect r) {
        int lit = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                lit += c.red() + c.green() + c.blue() > 60;
            }
        return double(lit) / (r.width() * r.height());
    };
    double lettering = -1, unveiled = -1;
    while (game.sinceStart.elapsed() < 40000 && unveiled < 0) {
        const QImage image = game.shot(*main);
        const double at = game.sinceStart.elapsed() / 1000.0;
        if (image.size() != screen) {
            QThread::msleep(50);
            continue;
        }
        // Places on a 928 x 514 picture, where the menu scene was first composed.
        auto scaled = [&](QRect r) {
            const double sx = screen.width() / 928.0, sy = screen.height() / 514.0;
            return QRect(int(r.x() * sx), int(r.y() * sy), int(r.width() * sx),
                         int(r.height() * sy));
        };
        if (lettering < 0 && litShare(image, scaled({560, 440, 300, 30})) > 0.2) lettering = at;
        if (litShare(image, scaled({450, 180, 30, 20})) > 0.9) unveiled = at;
        QThread::msleep(50);
    }
    ASSERT_GT(lettering, 0) << "the menu scene's lettering never showed";
    ASSERT_GT(unveiled, 0) << "the veil over the menu scene never lifted";
    std::printf("[ figure ] start to first frame of the menu scene: %.2f s (at most; "
                "seen by screenshots), scene unveiled: %.2f s\n",
                lettering, unveiled);
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
