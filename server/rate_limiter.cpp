#include "server/rate_limiter.h"

namespace coilrun::server {

bool RateLimiter::allow(const QString& client, Clock::time_point now) {
    if (limit_ <= 0) return true;
    if (++callsSinceSweep_ >= 512) sweep(now);

    std::deque<Clock::time_point>& times = events_[client];
    while (!times.empty() && now - times.front() >= kWindow)
        times.pop_front();
    if (times.size() >= static_cast<std::size_t>(limit_)) return false;
    times.push_back(now);
    return true;
}

void RateLimiter::sweep(Clock::time_point now) {
    callsSinceSweep_ = 0;
    for (auto it = events_.begin(); it != events_.end();) {
        if (it->empty() || now - it->back() >= kWindow)
            it = events_.erase(it);
        else
            ++it;
    }
}

} // namespace coilrun::server
