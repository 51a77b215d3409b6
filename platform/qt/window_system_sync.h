#pragma once

// Waiting for the window system itself, below Qt (x11/).
namespace coilrun::qt {

// Returns once the window system has taken every request sent so far, the pictures of
// the frames drawn among them, without running any event: QGuiApplication::sync() runs
// the events waiting, and with them whatever they set going.
void waitForWindowSystem();

} // namespace coilrun::qt
