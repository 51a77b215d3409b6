#pragma once
#include "engine/platform/clock.h"

namespace coilrun::qt {

// The system's clocks: a monotonic nanosecond counter and the local date and time.
class QtClock : public platform::Clock {
public:
    std::int64_t performanceCounter() const override;
    std::int64_t performanceFrequency() const override { return 1'000'000'000; }
    std::uint32_t tickCount() const override;
    double localDateTimeDays() const override;
    std::string localShortDate() const override;
    void sleepMs(int ms) override;
};

} // namespace coilrun::qt
