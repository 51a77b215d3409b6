#pragma once
#include <QByteArray>
#include <qwindowdefs.h>

// The window manager's close message (its close button, Alt+F4) as the window
// system sends it: on X11 a WM_PROTOCOLS client message carrying
// WM_DELETE_WINDOW (x11/), on Windows WM_CLOSE (windows/).
namespace coilrun::qt {

// Gets ready to read the messages of the application's window system; false
// where the application runs on another one (a Wayland or offscreen plugin).
bool prepareCloseMessages();

// The native window that a native event, of Qt's event type name, asks to
// close; 0 for every other event.
WId closeMessageTarget(const QByteArray& eventType, const void* message);

} // namespace coilrun::qt
