#include "tests/sim/sim_clock.h"

namespace coilrun::sim {

std::uint32_t SimClock::tickCount() const {
    return tickCountBase + std::uint32_t(std::uint64_t(ticks_.load() / ticksPerMs()));
}

double SimClock::localDateTimeDays() const {
    return startDays + double(ticks_.load()) / double(frequency) / 86400.0;
}

void SimClock::sleepMs(int ms) {
    if (ms > 0) advanceTicks(std::int64_t(ms) * ticksPerMs());
}

void SimClock::advance(double seconds) {
    if (seconds > 0) advanceTicks(std::int64_t(seconds * double(frequency) + 0.5));
}

void SimClock::advanceTicks(std::int64_t ticks) {
    if (ticks > 0) ticks_ += ticks;
}

void SimClock::advanceTo(std::int64_t ticks) {
    auto current = ticks_.load();
    while (ticks > current && !ticks_.compare_exchange_weak(current, ticks)) {
    }
}

} // namespace coilrun::sim
