#pragma once
#include "engine/platform/message_loop.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace coilrun::engine {

enum class TThreadPriority {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

class TAsyncTimer;

// The worker side of an asynchronous timer: when its ticks are due. The platform's
// worker polls nextTick() and hands each due tick to the UI thread.
class TTimerThread final : public platform::TickSchedule {
public:
    explicit TTimerThread(TAsyncTimer& owner) : owner_(owner) {}

    // Read by the worker at every deadline, so a change applies from the next one.
    std::uint16_t interval() const { return interval_.load(std::memory_order_relaxed); }
    void setInterval(std::uint16_t ms) { interval_.store(ms, std::memory_order_relaxed); }
    // Kept for the record: the worker runs at the priority the system gives it.
    TThreadPriority priority() const { return priority_; }
    void setPriority(TThreadPriority priority) { priority_ = priority; }

    void start(std::int64_t now, std::int64_t frequency) override;
    std::int64_t nextTick() const override { return next_; }
    void ticked(std::int64_t last, std::int64_t now) override;
    void deliverTick() override;

private:
    std::int64_t period() const { return std::int64_t(interval()) * frequency_ / 1000; }

    TAsyncTimer& owner_;
    std::atomic<std::uint16_t> interval_{1000};
    TThreadPriority priority_ = TThreadPriority::tpTimeCritical;
    // The worker's own.
    std::int64_t frequency_ = 0;
    std::int64_t next_ = 0;
};

// A timer for short intervals (5 to 10 ms) that window timers cannot keep: a worker
// counts the time and each tick runs OnTimer on the UI thread. A tick is handed over
// only once the previous one has run, and late ticks are never made up in a burst.
class TAsyncTimer {
public:
    explicit TAsyncTimer(platform::MessageLoop& loop);
    // Stops the worker and waits for it to end.
    ~TAsyncTimer();
    TAsyncTimer(const TAsyncTimer&) = delete;
    TAsyncTimer& operator=(const TAsyncTimer&) = delete;

    bool enabled() const { return enabled_; }
    // With Interval 0 the worker is not started.
    void setEnabled(bool enabled);
    std::uint16_t interval() const { return thread_.interval(); }
    // Setting a non-zero interval on an enabled timer whose worker waits starts it.
    void setInterval(std::uint16_t ms);
    TThreadPriority threadPriority() const { return thread_.priority(); }
    void setThreadPriority(TThreadPriority priority) { thread_.setPriority(priority); }
    const std::function<void()>& onTimer() const { return onTimer_; }
    void setOnTimer(std::function<void()> handler) { onTimer_ = std::move(handler); }

    // True once OnTimer has thrown: the worker has ended and no tick follows.
    bool workerEnded() const { return worker_->finished(); }

private:
    friend class TTimerThread;
    void timerTick();

    platform::MessageLoop& loop_;
    TTimerThread thread_;
    std::unique_ptr<platform::TickWorker> worker_;
    bool enabled_ = false;
    bool running_ = false;
    std::function<void()> onTimer_;
};

} // namespace coilrun::engine
