#include "platform/qt/gl_loss_signal.h"

#include "platform/qt/qt_gl_surface.h"
#include "platform/qt/window_system_sync.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace coilrun::qt {
namespace {

// The signal handler may only write to a pipe; the loop reads it.
int lossPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(lossPipe[1], &byte, 1);
}

// Lets the window system show the frame first; running the events waiting instead would
// move the game on to its next frame.
void stopForALook() {
    waitForWindowSystem();
    ::raise(SIGSTOP);
}

void loseEveryContext() {
    char bytes[16];
    while (::read(lossPipe[0], bytes, sizeof bytes) > 0) {
    }
    const std::vector<QtGlSurface*> surfaces = QtGlSurface::all();
    for (QtGlSurface* s : surfaces)
        s->paintNow();
    stopForALook();
    for (QtGlSurface* s : surfaces) {
        s->loseContext();
        s->paintNow();
    }
    stopForALook();
}

} // namespace

void installGlLossSignal() {
    if (!qEnvironmentVariableIsSet("COILRUN_GL_LOSS_SIGNAL") || lossPipe[0] >= 0) return;
    if (::pipe(lossPipe) != 0) return;
    for (int fd : lossPipe)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    // Lives as long as the program.
    auto* notifier = new QSocketNotifier(lossPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { loseEveryContext(); });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGUSR1, &action, nullptr);
}

} // namespace coilrun::qt
