#include "platform/qt/window_system_sync.h"

#include <QGuiApplication>
#include <cstdlib>
#include <xcb/xcb.h>

namespace coilrun::qt {

void waitForWindowSystem() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return;
    // A round trip: the server has handled everything before it once the reply is in.
    // Xlib's requests (GL's pictures) go out first, the two sharing one connection.
    xcb_connection_t* c = x11->connection();
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

} // namespace coilrun::qt
