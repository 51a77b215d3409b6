#pragma once
#include <QHash>
#include <QString>
#include <chrono>
#include <deque>

namespace coilrun::server {

// Lets at most `limit` events per client through in any 60 seconds (a sliding
// window). The server asks it once per run report, keyed by the client address.
// Memory stays bounded by the clients seen in the last minute: idle clients are
// forgotten on a sweep every few hundred calls.
class RateLimiter {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kWindow{60};

    // limit 0 lets everything through.
    explicit RateLimiter(int limit) : limit_(limit) {}

    // True when the event is within the limit; it is then counted.
    bool allow(const QString& client, Clock::time_point now);

    int limit() const { return limit_; }
    qsizetype trackedClients() const { return events_.size(); }

private:
    void sweep(Clock::time_point now);

    int limit_;
    QHash<QString, std::deque<Clock::time_point>> events_;
    unsigned callsSinceSweep_ = 0;
};

} // namespace coilrun::server
