#include "platform/qt/qt_startup_trace.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>
#include <string>

namespace coilrun::qt {

void traceStartup(const char* event) {
    static const bool enabled = std::getenv("COILRUN_TRACE_STARTUP") != nullptr;
    static std::set<std::string> seen;
    if (!enabled || !seen.insert(event).second) return;
    // Queued: a paint is on screen only after the paint event has been handled and
    // its backing store flushed or its buffers swapped.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [name = std::string(event)] {
            timespec t{};
            clock_gettime(CLOCK_REALTIME, &t);
            std::fprintf(stderr, "coilrun startup: %s %lld.%09ld\n", name.c_str(),
                         (long long)t.tv_sec, t.tv_nsec);
            std::fflush(stderr);
        },
        Qt::QueuedConnection);
}

} // namespace coilrun::qt
