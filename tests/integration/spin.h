#pragma once
// Waiting in a test that runs Qt's event loop.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace coilrun::test {

// Handles events until done() holds or timeoutMs have passed; returns done().
inline bool spinUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// Handles events for ms.
inline void spinFor(int ms) {
    spinUntil([] { return false; }, ms);
}

} // namespace coilrun::test
