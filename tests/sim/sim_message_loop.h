#pragma once
#include "engine/platform/message_loop.h"
#include "tests/sim/sim_clock.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace coilrun::sim {

class SimTickWorker;

// A message loop in virtual time. Posted messages come first, in order; then
// whatever is due soonest of window timers and asynchronous-timer polls; then the
// idle handler; then time jumps to the next due event. Handling a posted message
// or calling the idle handler costs messageCost of virtual time, so a loop that
// keeps itself busy (an ASAP cadencer) still moves the clock.
class SimMessageLoop : public platform::MessageLoop {
public:
    explicit SimMessageLoop(SimClock& clock);
    ~SimMessageLoop() override;
    SimMessageLoop(const SimMessageLoop&) = delete;
    SimMessageLoop& operator=(const SimMessageLoop&) = delete;

    TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
    void killTimer(TimerId id) override;
    void post(std::function<void()> fn) override;
    std::uint32_t currentMessageTime() const override { return messageTime_; }
    void processMessages() override;
    void setIdleHandler(std::function<bool()> handler) override;
    void runOnUiThreadAndWait(std::function<void()> fn) override;
    std::unique_ptr<platform::TickWorker> createTickWorker(platform::TickSchedule& s) override;
    void reportException(std::exception_ptr error) override;
    void quit() override { terminating_ = true; }
    bool terminating() const override { return terminating_; }

    // Runs the loop for this much virtual time (or until quit); the clock ends there.
    void runFor(double seconds);
    // Runs until done() holds after a handled event, at most maxSeconds; returns done().
    bool runUntil(const std::function<bool()>& done, double maxSeconds);
    // Handles one event due at or before the counter value limit; false when there was
    // none (the clock is then moved to limit).
    bool step(std::int64_t limit);

    // Seconds of virtual time each handled posted message and idle call costs.
    double messageCost = 0.001;
    // When true, startTimer refuses every new timer; beyond timerLimit it refuses too.
    bool refuseTimers = false;
    std::size_t timerLimit = 10000;
    // Reported exceptions, as their what() ("unknown exception" for non-std ones).
    std::vector<std::string> reported;
    // Called after each report when set.
    std::function<void(std::exception_ptr)> onReport;

    std::size_t activeTimers() const { return timers_.size(); }
    std::size_t pendingPosts() const;
    bool hasIdleHandler() const { return bool(idle_); }
    // Interval of a live timer in ms, 0 when the id is not live.
    std::uint32_t timerInterval(TimerId id) const;
    // Posted messages and timer ticks handled since creation.
    std::uint64_t handled = 0;

private:
    friend class SimTickWorker;
    struct Timer {
        std::int64_t interval = 0;
        std::int64_t due = 0;
        std::shared_ptr<std::function<void()>> fn;
    };
    struct Posted {
        std::function<void()> fn;
        std::uint32_t stamp = 0;
        bool costs = true;
    };

    void enqueue(std::function<void()> fn, bool costs);
    bool popPosted(Posted& out);
    void runPosted(Posted& p);
    void fireTimer(TimerId id);
    void pollWorker(SimTickWorker& w);
    void guarded(const std::function<void()>& fn);
    std::int64_t nextDue(TimerId* timer, SimTickWorker** worker) const;

    SimClock& clock_;
    std::map<TimerId, Timer> timers_;
    TimerId nextId_ = 1;
    mutable std::mutex postedMutex_;
    std::deque<Posted> posted_;
    std::vector<SimTickWorker*> workers_;
    std::function<bool()> idle_;
    bool idleSatisfied_ = false;
    bool terminating_ = false;
    std::uint32_t messageTime_ = 0;
    std::thread::id uiThread_;
};

} // namespace coilrun::sim
