#pragma once
// Waiting in an in-process test on the real Qt platform: the application's events
// are handled meanwhile, so windows, timers and the game go on.
#include <QApplication>
#include <QElapsedTimer>
#include <functional>

namespace coilrun::integration {

inline bool spinUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

inline void spinFor(int ms) {
    spinUntil([] { return false; }, ms);
}

} // namespace coilrun::integration
