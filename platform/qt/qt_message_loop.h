#pragma once
#include "engine/platform/message_loop.h"
#include "platform/qt/qt_clock.h"

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

namespace coilrun::qt {

// The message loop on Qt's event loop: posted messages are events to a hidden
// object, window timers are its Qt timers, and worker threads hand work to the UI
// thread through a queue that runs on a posted wake-up, when the loop goes idle, and
// while the UI thread waits for a worker to end. Create it after the QApplication.
class QtMessageLoop : public platform::MessageLoop {
public:
    explicit QtMessageLoop(QtClock& clock);
    ~QtMessageLoop() override;
    QtMessageLoop(const QtMessageLoop&) = delete;
    QtMessageLoop& operator=(const QtMessageLoop&) = delete;

    TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
    void killTimer(TimerId id) override;
    void post(std::function<void()> fn) override;
    std::uint32_t currentMessageTime() const override { return messageTime_; }
    void processMessages() override;
    void setIdleHandler(std::function<bool()> handler) override;
    void runOnUiThreadAndWait(std::function<void()> fn) override;
    // As above, for a request that dropRequestsOf(owner) can take back unrun.
    void runOnUiThreadAndWait(std::function<void()> fn, const void* owner);
    // Ends the waits of owner's queued requests without running them; the rest stay
    // queued. On the UI thread only.
    void dropRequestsOf(const void* owner);
    std::unique_ptr<platform::TickWorker> createTickWorker(platform::TickSchedule& s) override;
    void reportException(std::exception_ptr error) override;
    void quit() override;
    bool terminating() const override { return terminating_; }

    // UI thread: runs every delivery the worker threads have queued, oldest first.
    void runQueuedRequests();

    // Live window timers beyond which startTimer refuses, as the system does.
    std::size_t timerLimit = 10000;
    // Replaces the default report (a line on stderr) when set.
    std::function<void(std::exception_ptr)> onReport;

    QtClock& clock() { return clock_; }

private:
    class Receiver;
    struct Request;
    friend class Receiver;

    void guarded(const std::function<void()>& fn);
    void onTimerEvent(int id);
    void onIdleEvent();
    void onAboutToBlock();
    void postIdle();

    QtClock& clock_;
    std::unique_ptr<Receiver> receiver_;
    std::map<int, std::shared_ptr<std::function<void()>>> timers_;
    std::mutex requestsMutex_;
    std::deque<std::shared_ptr<Request>> requests_;
    std::function<bool()> idle_;
    bool idlePending_ = false;
    bool idleDone_ = false;
    bool terminating_ = false;
    std::uint32_t messageTime_ = 0;
};

} // namespace coilrun::qt
