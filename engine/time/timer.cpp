#include "engine/time/timer.h"

namespace coilrun::engine {

TTimer::TTimer(platform::MessageLoop& loop) : loop_(loop) {}

TTimer::~TTimer() {
    loop_.killTimer(id_);
}

void TTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    updateTimer();
}

void TTimer::setInterval(std::uint32_t ms) {
    if (ms == interval_) return;
    interval_ = ms;
    updateTimer();
}

void TTimer::setOnTimer(std::function<void()> handler) {
    onTimer_ = std::move(handler);
    updateTimer();
}

void TTimer::updateTimer() {
    loop_.killTimer(id_);
    id_ = 0;
    if (interval_ == 0 || !enabled_ || !onTimer_) return;
    id_ = loop_.startTimer(interval_, [this] { tick(); });
    if (id_ == 0) throw EOutOfResources("Not enough timers available");
}

void TTimer::tick() {
    // The handler may replace itself or disable the timer; keep it alive while it runs.
    auto handler = onTimer_;
    if (!handler) return;
    try {
        handler();
    } catch (...) {
        loop_.reportException(std::current_exception());
    }
}

} // namespace coilrun::engine
