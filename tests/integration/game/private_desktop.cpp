#include "tests/integration/game/private_desktop.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <csignal>
#include <sys/prctl.h>

namespace coilrun::integration {

QString runTool(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                int* exitCode, int timeoutMs) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    const bool ended = p.waitForStarted(timeoutMs) && p.waitForFinished(timeoutMs);
    if (!ended) {
        p.kill();
        p.waitForFinished(5000);
    }
    if (exitCode) *exitCode = ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

void endWithParent(QProcess& child) {
    child.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

PrivateDesktop::PrivateDesktop(QSize screen) {
    if (!dir_.isValid()) {
        error_ = "no temporary folder";
        return;
    }
    if (startX(screen)) startPulse();
}

PrivateDesktop::~PrivateDesktop() {
    for (QProcess* p : {&pulse_, &x_}) {
        if (p->state() == QProcess::NotRunning) continue;
        p->terminate();
        if (!p->waitForFinished(10000)) {
            p->kill();
            p->waitForFinished(10000);
        }
    }
}

bool PrivateDesktop::startX(QSize screen) {
    // The server picks a free display itself and names it on the given descriptor
    // once it accepts clients: no race with other servers starting beside it.
    x_.setProcessChannelMode(QProcess::SeparateChannels);
    x_.setStandardErrorFile(path("xvfb.log"));
    QDir().mkpath(path("framebuffer"));
    endWithParent(x_);
    x_.start("Xvfb", {"-displayfd", "1", "-screen", "0",
                      QString("%1x%2x24").arg(screen.width()).arg(screen.height()), "-nolisten",
                      "tcp", "-fbdir", path("framebuffer")});
    if (!x_.waitForStarted(30000)) {
        error_ = "Xvfb did not start: " + x_.errorString();
        return false;
    }
    QByteArray out;
    QElapsedTimer waited;
    waited.start();
    while (!out.contains('\n') && waited.elapsed() < 60000 && x_.state() == QProcess::Running) {
        x_.waitForReadyRead(1000);
        out += x_.readAllStandardOutput();
    }
    if (!out.contains('\n')) {
        error_ = "Xvfb named no display; see " + path("xvfb.log");
        return false;
    }
    display_ = ":" + QString::fromLatin1(out).trimmed();
    return true;
}

bool PrivateDesktop::startPulse() {
    // Its own home and runtime folder, so that it neither meets nor replaces the
    // sound server of the session it runs in.
    const QString home = path("pulse-home");
    const QString run = path("pulse-run");
    QDir().mkpath(home);
    QDir().mkpath(run);
    QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString socket = path("pulse-native");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_RUNTIME_DIR", run);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.remove("PULSE_SERVER");
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    pulse_.setProcessEnvironment(env);
    endWithParent(pulse_);
    pulse_.setProcessChannelMode(QProcess::MergedChannels);
    pulse_.setStandardOutputFile(path("pulse.log"));
    pulse_.start("pulseaudio",
                 {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                  "--log-target=stderr", "--load=module-null-sink sink_name=" + sink(),
                  "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    if (!pulse_.waitForStarted(30000)) {
        error_ = "pulseaudio did not start: " + pulse_.errorString();
        return false;
    }
    pulseServer_ = "unix:" + socket;
    QProcessEnvironment client = environment(path("probe-home"));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000 && pulse_.state() == QProcess::Running) {
        int status = -1;
        const QString sinks = runTool("pactl", {"list", "short", "sinks"}, client, &status, 10000);
        if (status == 0 && sinks.contains(sink())) return true;
        QThread::msleep(200);
    }
    error_ = "pulseaudio did not offer its null sink; see " + path("pulse.log");
    return false;
}

QImage PrivateDesktop::screenshot() const {
    // The server keeps its screen in this file in XWD form: a header of big-endian
    // 32-bit fields, a colour map, then the pixels as the server holds them.
    QFile file(dir_.filePath("framebuffer/Xvfb_screen0"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray xwd = file.readAll();
    auto field = [&](int i) -> quint32 {
        if (xwd.size() < (i + 1) * 4) return 0;
        const auto* b = reinterpret_cast<const uchar*>(xwd.constData()) + i * 4;
        return quint32(b[0]) << 24 | quint32(b[1]) << 16 | quint32(b[2]) << 8 | b[3];
    };
    const quint32 headerSize = field(0), width = field(4), height = field(5);
    const quint32 byteOrder = field(7), bitsPerPixel = field(11), bytesPerLine = field(12);
    const quint32 red = field(14), green = field(15), blue = field(16), colours = field(19);
    // Only what a 24-bit Xvfb screen is: 32 bits a pixel, least significant byte
    // first, 0xRRGGBB; that is QImage's RGB32.
    if (bitsPerPixel != 32 || byteOrder != 0 || red != 0xff0000 || green != 0xff00 || blue != 0xff)
        return {};
    const qint64 pixels = qint64(headerSize) + qint64(colours) * 12;
    if (width == 0 || height == 0 || pixels + qint64(bytesPerLine) * height > xwd.size()) return {};
    return QImage(reinterpret_cast<const uchar*>(xwd.constData()) + pixels, int(width), int(height),
                  int(bytesPerLine), QImage::Format_RGB32)
        .copy();
}

QProcessEnvironment PrivateDesktop::environment(const QString& home) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QDir().mkpath(home + "/.config");
    QDir().mkpath(home + "/run");
    QFile::setPermissions(home + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("XDG_DATA_HOME", home + "/.local/share");
    env.insert("XDG_CACHE_HOME", home + "/.cache");
    env.insert("XDG_STATE_HOME", home + "/.local/state");
    env.insert("XDG_RUNTIME_DIR", home + "/run");
    env.insert("DISPLAY", display_);
    env.insert("PULSE_SERVER", pulseServer_);
    env.remove("WAYLAND_DISPLAY");
    env.remove("COILRUN_SCORE_SERVER");
    return env;
}

} // namespace coilrun::integration
