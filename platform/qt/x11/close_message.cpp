#include "platform/qt/close_message.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace coilrun::qt {
namespace {

xcb_atom_t protocolsAtom = XCB_ATOM_NONE;
xcb_atom_t deleteWindowAtom = XCB_ATOM_NONE;

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

bool prepareCloseMessages() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return false;
    protocolsAtom = internAtom(x11->connection(), "WM_PROTOCOLS");
    deleteWindowAtom = internAtom(x11->connection(), "WM_DELETE_WINDOW");
    return true;
}

WId closeMessageTarget(const QByteArray& eventType, const void* message) {
    if (eventType != "xcb_generic_event_t") return 0;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE) return 0;
    const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(event);
    if (m->format != 32 || m->type != protocolsAtom || m->data.data32[0] != deleteWindowAtom)
        return 0;
    return WId(m->window);
}

} // namespace coilrun::qt
