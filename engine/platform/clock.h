#pragma once
#include <cstdint>
#include <string>

namespace coilrun::platform {

// Time as the engine may read it. The real clock is the OS's; the simulated
// one is virtual and only moves when a test (or sleepMs) moves it.
class Clock {
public:
    virtual ~Clock() = default;
    // High-resolution counter in ticks of performanceFrequency(); monotonic.
    virtual std::int64_t performanceCounter() const = 0;
    // Ticks per second of performanceCounter(); 0 when the machine has no counter.
    virtual std::int64_t performanceFrequency() const = 0;
    // Milliseconds since some fixed moment, wrapping at 2^32 (GetTickCount).
    virtual std::uint32_t tickCount() const = 0;
    // Local date and time as days since 30 December 1899, fraction = time of day.
    virtual double localDateTimeDays() const = 0;
    // Today's date written as the system's short date format writes it ("08/12/2026",
    // "12/8/26", "2026-12-08"): the date a run report carries.
    virtual std::string localShortDate() const = 0;
    // Blocks the calling thread for ms milliseconds (virtual time advances in the simulation).
    virtual void sleepMs(int ms) = 0;

    // Seconds of the performance counter, or 0 without one.
    double seconds() const {
        const auto f = performanceFrequency();
        return f ? double(performanceCounter()) / double(f) : 0.0;
    }
};

} // namespace coilrun::platform
