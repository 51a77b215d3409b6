#include "platform/qt/qt_close_requests.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace coilrun::qt {
namespace {

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

class CloseRequestFilter : public QAbstractNativeEventFilter {
public:
    CloseRequestFilter(xcb_atom_t protocols, xcb_atom_t deleteWindow)
        : protocols_(protocols), deleteWindow_(deleteWindow) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE) return false;

        const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(event);
        if (m->format != 32 || m->type != protocols_ || m->data.data32[0] != deleteWindow_)
            return false;
        QPointer<QWidget> window = QWidget::find(WId(m->window));
        if (!window || !window->isWindow()) return false;
        QTimer::singleShot(0, window, [window] {
            if (window) window->close();
        });
        return true; // closed here; Qt's own, later delivery would close it twice
    }

private:
    xcb_atom_t protocols_;
    xcb_atom_t deleteWindow_;
};

} // namespace

void preferQtEventDispatcher() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
}

void handleCloseRequestsFirst() {
    static bool installed = false;
    if (installed || !qGuiApp) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    xcb_connection_t* c = x11->connection();
    static CloseRequestFilter filter(internAtom(c, "WM_PROTOCOLS"),
                                     internAtom(c, "WM_DELETE_WINDOW"));
    QCoreApplication::instance()->installNativeEventFilter(&filter);
    installed = true;
}

} // namespace coilrun::qt
