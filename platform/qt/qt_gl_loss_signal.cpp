#include "platform/qt/qt_gl_loss_signal.h"

#include "platform/qt/qt_gl_surface.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>
#endif

namespace coilrun::qt {

#ifdef Q_OS_UNIX
namespace {

// The signal handler may only write to a pipe; the loop reads it.
int lossPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(lossPipe[1], &byte, 1);
}

// Lets the window system take every request (the frame's picture among them), then
// stops until continued. Not QGuiApplication::sync(): it runs the events waiting, and
// with them the next frame's progress.
void stopForALook() {
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        xcb_connection_t* c = x11->connection();
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }
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
#else
void installGlLossSignal() {}
#endif

} // namespace coilrun::qt
