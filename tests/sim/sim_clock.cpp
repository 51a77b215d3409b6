#include "tests/sim/sim_clock.h"

namespace coilrun::sim {

std::uint32_t SimClock::tickCount() const {
    return tickCountBase + std::uint32_t(std::uint64_t(ticks_.load() / ticksPerMs()));
}

double SimClock::localDateTimeDays() const {
    return startDays + double(ticks_.load()) / double(frequency) / 86400.0;
}

std::string SimClock::localShortDate() const {
    // Civil date from days since 30 December 1899 (day 25569 is 1 January 1970).
    const long days = long(localDateTimeDays()) - 25569 + 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long doe = days - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long d = doy - (153 * mp + 2) / 5 + 1;
    const long m = mp < 10 ? mp + 3 : mp - 9;
    const long y = yoe + era * 400 + (m <= 2);
    return std::to_string(d) + "/" + std::to_string(m) + "/" + std::to_string(y);
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
