#pragma once
#include "engine/platform/message_loop.h"

#include <cstdint>
#include <functional>
#include <stdexcept>

namespace coilrun::engine {

// The system ran out of something the program asked for (window timers).
class EOutOfResources : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A window timer: OnTimer runs on the UI thread every Interval ms while Enabled.
// Every change re-arms it, so the first tick after a change comes one full interval
// later.
class TTimer {
public:
    explicit TTimer(platform::MessageLoop& loop);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool enabled() const { return enabled_; }
    // Throws EOutOfResources("Not enough timers available") when the system refuses.
    void setEnabled(bool enabled);
    std::uint32_t interval() const { return interval_; }
    void setInterval(std::uint32_t ms);
    const std::function<void()>& onTimer() const { return onTimer_; }
    // Always re-arms: a handler cannot be compared with the one it replaces.
    void setOnTimer(std::function<void()> handler);

    // Whether a window timer is armed now.
    bool armed() const { return id_ != 0; }

private:
    void updateTimer();
    void tick();

    platform::MessageLoop& loop_;
    bool enabled_ = true;
    std::uint32_t interval_ = 1000;
    std::function<void()> onTimer_;
    platform::MessageLoop::TimerId id_ = 0;
};

} // namespace coilrun::engine
