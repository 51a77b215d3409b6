#pragma once

namespace coilrun::qt {

// Makes sure a window the window manager asks to close (its close button, Alt+F4)
// is closed. Qt queues such requests behind the events it is handling, and the
// game's frame pump keeps that queue from ever running dry, so the request is
// taken where the window system's events are read (close_message.h) and the
// window is closed from a timer, which the pump lets through. Idempotent; does
// nothing on a window system without such messages.
void handleCloseRequestsFirst();

// Picks Qt's own event dispatcher over GLib's, unless the user chose: under GLib's,
// the window system's events wait behind the frame pump's posted ticks for
// seconds (input and close requests alike); Qt's reads them on every pass.
// Must run before the application object is made.
void preferQtEventDispatcher();

} // namespace coilrun::qt
