#include "tests/integration/game/game_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

namespace coilrun::integration {

QString coilrunPath, scoredPath;

void note(const QString& what) {
    std::printf("[ seen     ] %s\n", qPrintable(what));
    std::fflush(stdout);
}

void idle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, int(ms - t.elapsed()));
}

bool waitUntil(const std::function<bool()>& done, double seconds, int pollMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < seconds * 1000) {
        if (done()) return true;
        idle(pollMs);
    }
    return done();
}

namespace {

QByteArray tail(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return "(none)";
    return f.readAll().right(3000);
}

} // namespace

void GameFixture::SetUp() {
    for (const char* program : {"Xvfb", "pulseaudio", "pactl", "parec", "sox", "xdotool", "xprop",
                                "convert", "tesseract"})
        ASSERT_FALSE(QStandardPaths::findExecutable(program).isEmpty())
            << program << " is missing (see scripts/packages.txt)";
    ASSERT_TRUE(desktop.ready()) << desktop.error().toStdString();
    tools = desktop.environment(desktop.path("tools-home"));
    reader.emplace([this] { return desktop.screenshot(); }, tools,
                   QDir::current().filePath(shotFolder));

    QString serverUrl = scoreServerUrl;
    if (serverUrl.isEmpty()) {
        server.setEnvironment(desktop.environment(desktop.path("server-home")));
        QString error;
        ASSERT_TRUE(server.start({"--db", desktop.path("scores.sqlite")},
                                 desktop.path("server.log"), &error))
            << error.toStdString();
        serverUrl = QString("http://127.0.0.1:%1").arg(server.port());
    }
    beforeGameStarts();
    if (HasFatalFailure()) return;

    QProcessEnvironment env = desktop.environment(desktop.path("game-home"));
    env.insert("COILRUN_SCORE_SERVER", serverUrl);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("LIBGL_ALWAYS_SOFTWARE", "1");
    env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    env.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    game.setProcessEnvironment(env);
    endWithParent(game);
    game.setProcessChannelMode(QProcess::MergedChannels);
    game.setStandardOutputFile(desktop.path("game.log"));
    game.start(coilrunPath, {});
    ASSERT_TRUE(game.waitForStarted(30000)) << game.errorString().toStdString();
}

void GameFixture::TearDown() {
    if (game.state() != QProcess::NotRunning) {
        game.kill();
        game.waitForFinished(30000);
    }
    if (HasFailure()) {
        std::printf("game log (%s):\n%s\n", qPrintable(desktop.path("game.log")),
                    tail(desktop.path("game.log")).constData());
        std::printf("screenshots are in %s\n", qPrintable(QDir::current().filePath(shotFolder)));
    }
}

QString GameFixture::tool(const QString& program, const QStringList& args) {
    return runTool(program, args, tools, nullptr, 30000);
}

std::vector<GameFixture::Window> GameFixture::windows() {
    std::vector<Window> found;
    if (game.state() != QProcess::Running) return found;
    const QStringList ids =
        tool("xdotool", {"search", "--onlyvisible", "--pid", QString::number(game.processId())})
            .split('\n', Qt::SkipEmptyParts);
    for (const QString& id : ids) {
        Window w{id, {}, tool("xdotool", {"getwindowname", id}).trimmed()};
        for (const QString& line :
             tool("xdotool", {"getwindowgeometry", "--shell", id}).split('\n')) {
            const QString value = line.section('=', 1);
            if (line.startsWith("X=")) w.geometry.moveLeft(value.toInt());
            if (line.startsWith("Y=")) w.geometry.moveTop(value.toInt());
            if (line.startsWith("WIDTH=")) w.geometry.setWidth(value.toInt());
            if (line.startsWith("HEIGHT=")) w.geometry.setHeight(value.toInt());
        }
        found.push_back(w);
    }
    return found;
}

std::optional<GameFixture::Window> GameFixture::mainWindow() {
    std::optional<Window> best;
    for (const Window& w : windows()) {
        const QRect& g = w.geometry;
        if (g.width() >= kFixedView.width() &&
            (!best || g.width() * g.height() > best->geometry.width() * best->geometry.height()))
            best = w;
    }
    return best;
}

QString GameFixture::caption() {
    const auto w = mainWindow();
    return w ? w->caption : QString();
}

void GameFixture::focus() {
    if (const auto w = mainWindow()) tool("xdotool", {"windowfocus", "--sync", w->id});
}

void GameFixture::keyDown(const QString& key) {
    tool("xdotool", {"keydown", key});
}

void GameFixture::keyUp(const QString& key) {
    tool("xdotool", {"keyup", key});
}

void GameFixture::tap(const QString& key) {
    keyDown(key);
    idle(150);
    keyUp(key);
}

void GameFixture::quickTap(const QString& key) {
    tool("xdotool", {"key", key});
}

void GameFixture::clickAt(QPoint p) {
    tool("xdotool", {"mousemove", QString::number(p.x()), QString::number(p.y())});
    idle(400); // a frame or more of a slow game sees the pointer there
    tool("xdotool", {"mousedown", "1"});
    idle(100);
    tool("xdotool", {"mouseup", "1"});
}

QList<ReadWord> GameFixture::untilRead(const QString& shot, const QStringList& phrases,
                                       double seconds, bool anyOf) {
    QList<ReadWord> words;
    waitUntil(
        [&] {
            words = reader->shootAndRead(shot);
            int found = 0;
            for (const QString& p : phrases)
                found += ScreenReader::contains(words, p);
            return anyOf ? found > 0 : found == phrases.size();
        },
        seconds, 500);
    return words;
}

bool GameFixture::tapUntilGone(const QString& key, const QString& shot,
                               const QStringList& phrases, int attempts,
                               QList<ReadWord>* lastRead) {
    QList<ReadWord> words;
    bool gone = false;
    for (int attempt = 0; attempt < attempts && !gone; ++attempt) {
        idle(400);
        focus();
        tap(key);
        gone = waitUntil(
            [&] {
                words = reader->shootAndRead(shot);
                return std::none_of(phrases.begin(), phrases.end(), [&](const QString& p) {
                    return ScreenReader::contains(words, p);
                });
            },
            20, 300);
    }
    if (lastRead) *lastRead = words;
    return gone;
}

bool GameFixture::clickPhrase(const QString& shot, const QString& phrase, double seconds) {
    const QList<ReadWord> words = untilRead(shot, {phrase}, seconds);
    const auto box = ScreenReader::find(words, phrase);
    if (!box) {
        note(QString("\"%1\" not on the screen; read: %2")
                 .arg(phrase, ScreenReader::allText(words)));
        return false;
    }
    clickAt(box->center());
    return true;
}

double GameFixture::recordedRms(double seconds) {
    const QString raw = desktop.path("sink.raw");
    QProcess parec;
    parec.setProcessEnvironment(tools);
    parec.setStandardOutputFile(raw);
    parec.start("parec", {"-d", PrivateDesktop::sink() + ".monitor", "--raw", "--format=s16le",
                          "--channels=1", "--rate=16000"});
    if (!parec.waitForStarted(10000)) return -1;
    idle(int(seconds * 1000));
    parec.terminate();
    parec.waitForFinished(10000);
    QProcess sox;
    sox.setProcessEnvironment(tools);
    sox.start("sox", {"-t", "raw", "-r", "16000", "-e", "signed-integer", "-b", "16", "-c", "1",
                      raw, "-n", "stat"});
    sox.waitForFinished(30000);
    static const QRegularExpression rms("RMS\\s+amplitude:\\s+([0-9.eE+-]+)");
    const auto m = rms.match(QString::fromLocal8Bit(sox.readAllStandardError()));
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

QByteArray GameFixture::serverLog() const {
    QFile log(desktop.path("server.log"));
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

} // namespace coilrun::integration

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PATH_TO_COILRUN PATH_TO_COILRUN_SCORED\n", argv[0]);
        return 2;
    }
    coilrun::integration::coilrunPath = QString::fromLocal8Bit(argv[1]);
    coilrun::integration::scoredPath = QString::fromLocal8Bit(argv[2]);
    coilrun::server::testing::ServerProcess::executable() = coilrun::integration::scoredPath;
    return RUN_ALL_TESTS();
}
