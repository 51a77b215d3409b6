#pragma once
// The real program started as a player starts it, on a private 1280 x 800 desktop
// with its own sound server and a score server on loopback, and the means to look
// at it and work it from outside: the X windows of the process, their captions,
// screenshots read by OCR, keys and pointer clicks through xdotool, the sound that
// reached the null sink.
//
// There is no window manager here, so nothing gives a window the keyboard focus:
// it is focused with xdotool before keys are sent, as a window manager would on a
// desktop. The machine may be slow and busy: every wait polls with a generous limit.
#include "tests/integration/game/private_desktop.h"
#include "tests/integration/game/screen_reader.h"
#include "tests/integration/server/server_process.h"

#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace coilrun::integration {

// The programs under test, from the test's command line.
extern QString coilrunPath, scoredPath;

inline constexpr QSize kScreen{1280, 800};
// What the game window's viewer draws into while it does not fill the window.
inline constexpr QSize kFixedView{928, 514};

// What was seen, for the log of a run that passes as well as one that fails.
void note(const QString& what);
// Waits this long with the test's own servers answering.
void idle(int ms);
// Polls `done` until it holds or the time is up; returns its last answer.
bool waitUntil(const std::function<bool()>& done, double seconds, int pollMs = 300);

class GameFixture : public ::testing::Test {
protected:
    // Starts the reference score server with a database of its own, unless the test
    // gave the game another server (scoreServerUrl), and then the game.
    void SetUp() override;
    void TearDown() override;
    // Runs once the score server is up, before the game starts.
    virtual void beforeGameStarts() {}

    // Where the game finds its score server; empty for the reference server.
    QString scoreServerUrl;
    // Folder for this test's screenshots, under the working directory.
    QString shotFolder = QStringLiteral("integration_game_shots");

    QString tool(const QString& program, const QStringList& args);

    // A mapped X window of the game's process.
    struct Window {
        QString id;
        QRect geometry;
        QString caption;
    };
    std::vector<Window> windows();
    // The game's main window: the largest mapped window of the process.
    std::optional<Window> mainWindow();
    // The main window's caption ("" without one).
    QString caption();

    // Gives the main window the focus, as a window manager would on a click.
    void focus();
    void keyDown(const QString& key);
    void keyUp(const QString& key);
    // A short press: long enough for a frame of a slow game to see it, short enough
    // not to count again after the game's 300 ms debounce.
    void tap(const QString& key);
    // Press and release back to back (xdotool key): the game sees both between two
    // of its frames, as it does from a quick finger on a slow frame or a remote desktop.
    void quickTap(const QString& key);
    // Moves the pointer there, lets the game see it rest, and clicks the left button.
    void clickAt(QPoint screenPoint);

    // Shoots and reads the screen until every phrase is read (or, with anyOf, one of
    // them), or the time is up; returns the words last read.
    QList<ReadWord> untilRead(const QString& shot, const QStringList& phrases, double seconds,
                              bool anyOf = false);
    // Taps the key (after the game's debounce of its last toggle) until none of the
    // phrases is read on the screen, at most `attempts` times; false if they stayed.
    bool tapUntilGone(const QString& key, const QString& shot, const QStringList& phrases,
                      int attempts, QList<ReadWord>* lastRead = nullptr);
    // Reads the screen until the phrase shows and clicks its middle; false when it
    // never showed.
    bool clickPhrase(const QString& shot, const QString& phrase, double seconds);

    // Seconds of the null sink's output, and what sox makes of them: the RMS
    // amplitude (0 for silence, 1 for full scale), or -1 when nothing was recorded.
    double recordedRms(double seconds);

    // The score server's log of requests so far.
    QByteArray serverLog() const;

    PrivateDesktop desktop{kScreen};
    QProcessEnvironment tools;
    std::optional<ScreenReader> reader;
    server::testing::ServerProcess server;
    QProcess game;
};

} // namespace coilrun::integration
