#pragma once
// What a player's desktop gives the game, private to one test: an X server of a
// chosen size and a PulseAudio server whose only output is a null sink, so that
// nothing another test shows or plays gets into this test's screenshots and
// recordings.
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace coilrun::integration {

// Runs a program to its end (at most timeoutMs) and returns what it printed on
// stdout; *exitCode is -1 when it could not run or did not end in time.
QString runTool(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                int* exitCode = nullptr, int timeoutMs = 60000);

// Makes a child end with the test: were the test killed (a time-out, a crash), its
// servers and the game would otherwise live on, holding a display and a sound server.
void endWithParent(QProcess& child);

class PrivateDesktop {
public:
    // Starts both servers; ready() tells whether they came up, error() why not.
    explicit PrivateDesktop(QSize screen);
    ~PrivateDesktop();
    PrivateDesktop(const PrivateDesktop&) = delete;
    PrivateDesktop& operator=(const PrivateDesktop&) = delete;

    bool ready() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    QString display() const { return display_; }         // ":N"
    QString pulseServer() const { return pulseServer_; } // "unix:/.../native"
    static QString sink() { return QStringLiteral("coilrun_game"); }
    // What the X screen shows now, read from the server's own framebuffer: no X
    // request, so it is quick enough to catch a snake between two of its steps.
    QImage screenshot() const;

    // A folder that lives as long as the desktop, for homes, logs and pictures.
    QString path(const QString& name) const { return dir_.filePath(name); }

    // The system's environment pointed at these servers; HOME and the XDG folders
    // moved to a fresh folder of their own under `home`, so that settings start empty.
    QProcessEnvironment environment(const QString& home) const;

private:
    bool startX(QSize screen);
    bool startPulse();

    QTemporaryDir dir_;
    QProcess x_;
    QProcess pulse_;
    QString display_;
    QString pulseServer_;
    QString error_;
};

} // namespace coilrun::integration
