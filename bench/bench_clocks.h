#pragma once
// What the benchmarks measure with: CPU clocks and percentiles of timed samples.
#include <algorithm>
#include <ctime>
#include <vector>

namespace coilrun::bench {

// CPU time of the calling thread, in nanoseconds.
inline double threadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// CPU time of the whole process (every thread), in seconds.
inline double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The sample at fraction p (0 the least, 1 the greatest) of the sorted samples.
inline double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t i = std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5));
    return v[i];
}

} // namespace coilrun::bench
