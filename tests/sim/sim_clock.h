#pragma once
#include "engine/platform/clock.h"

#include <atomic>
#include <cstdint>

namespace coilrun::sim {

// Virtual time: it stands still until a test, the simulated loop or sleepMs moves it.
class SimClock : public platform::Clock {
public:
    static constexpr std::int64_t defaultFrequency = 10'000'000;

    std::int64_t performanceCounter() const override { return ticks_.load(); }
    std::int64_t performanceFrequency() const override { return hasCounter_ ? frequency : 0; }
    std::uint32_t tickCount() const override;
    double localDateTimeDays() const override;
    // The simulated machine writes short dates day first: "1/3/2026".
    std::string localShortDate() const override;
    void sleepMs(int ms) override;

    // Moves time forward (negative amounts are ignored).
    void advance(double seconds);
    void advanceTicks(std::int64_t ticks);
    // Jumps to an absolute counter value; never backwards.
    void advanceTo(std::int64_t ticks);
    // Counter ticks in one millisecond.
    std::int64_t ticksPerMs() const { return frequency / 1000; }
    // Seconds since the clock was made.
    double now() const { return double(ticks_.load()) / double(frequency); }

    // A machine without a performance counter reports frequency 0.
    void setHasCounter(bool has) { hasCounter_ = has; }

    const std::int64_t frequency = defaultFrequency;
    // Local date and time (days since 30 December 1899) at counter 0:
    // 1 March 2026, 12:00.
    double startDays = 46082.5;
    // Where tickCount starts, so that a test can cross its 2^32 wrap.
    std::uint32_t tickCountBase = 1'000'000;

private:
    std::atomic<std::int64_t> ticks_{0};
    bool hasCounter_ = true;
};

} // namespace coilrun::sim
