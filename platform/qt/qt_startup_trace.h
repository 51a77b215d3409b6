#pragma once

namespace coilrun::qt {

// With COILRUN_TRACE_STARTUP set, writes "coilrun startup: <event> <seconds>" to
// standard error the first time each event happens, the seconds read from the
// system's real-time clock, so that a script that noted when it launched the
// program can tell how long the program took to get there. The line is written
// once the current event has been handled (what was painted has been flushed to
// the window system by then). Nothing happens without the variable.
void traceStartup(const char* event);

} // namespace coilrun::qt
