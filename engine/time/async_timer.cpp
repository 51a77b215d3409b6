#include "engine/time/async_timer.h"

namespace coilrun::engine {

void TTimerThread::start(std::int64_t now, std::int64_t frequency) {
    frequency_ = frequency;
    next_ = now + period();
}

void TTimerThread::ticked(std::int64_t last, std::int64_t now) {
    next_ = last + period();
    if (next_ <= now) next_ = now + period(); // the handler overran: no burst
}

void TTimerThread::deliverTick() {
    owner_.timerTick();
}

TAsyncTimer::TAsyncTimer(platform::MessageLoop& loop)
    : loop_(loop), thread_(*this), worker_(loop.createTickWorker(thread_)) {}

TAsyncTimer::~TAsyncTimer() {
    setEnabled(false);
    worker_.reset();
}

void TAsyncTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_ && interval() != 0) {
        running_ = true;
        worker_->resume();
    } else if (!enabled_ && running_) {
        running_ = false;
        worker_->pause();
    }
}

void TAsyncTimer::setInterval(std::uint16_t ms) {
    thread_.setInterval(ms);
    if (enabled_ && !running_ && ms != 0) {
        running_ = true;
        worker_->resume();
    }
}

void TAsyncTimer::timerTick() {
    // A tick queued before the timer was disabled finds it disabled and is dropped.
    if (!enabled_ || !onTimer_) return;
    const auto handler = onTimer_;
    try {
        handler();
    } catch (...) {
        // Reported here; rethrown, it ends the worker.
        loop_.reportException(std::current_exception());
        throw;
    }
}

} // namespace coilrun::engine
