#pragma once
// Counts the GL calls the program makes (not the commands a display list replays):
// this benchmark's executable defines the GL entry points the engine calls, counts
// each call and passes it on to the system's library.
#include <cstdint>

namespace coilrun::bench {

struct GlCallCount {
    std::uint64_t calls = 0;     // every GL call
    std::uint64_t listCalls = 0; // glCallList and glCallLists
    std::uint64_t batches = 0;   // glBegin: geometry sent at once
};

GlCallCount& glCalls();

} // namespace coilrun::bench
