#pragma once
// What a window manager sends a client whose window the user closes (Alt+F4, the
// close button). Xvfb has no window manager, so the tests send it themselves.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace coilrun::testing {

// Sends WM_DELETE_WINDOW to the client that made `window` (on `display`, or on
// $DISPLAY); true once the X server has taken it. The round trip matters: a
// request flushed just before the connection closes may never be carried out.
inline bool sendDeleteWindow(xcb_window_t window, const char* display = nullptr) {
    xcb_connection_t* c = xcb_connect(display, nullptr);
    const auto atom = [c](const char* name) {
        const auto cookie = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    };
    bool ok = !xcb_connection_has_error(c);
    if (ok) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        const xcb_void_cookie_t sent = xcb_send_event_checked(
            c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
        xcb_generic_error_t* error = xcb_request_check(c, sent);
        ok = error == nullptr;
        std::free(error);
    }
    xcb_disconnect(c);
    return ok;
}

} // namespace coilrun::testing
