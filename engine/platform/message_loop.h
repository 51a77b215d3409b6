#pragma once
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

namespace coilrun::platform {

// The time-keeping half of an asynchronous timer. The platform's worker calls the
// first three from its own thread (or, simulated, in virtual time) and deliverTick on
// the UI thread; the arithmetic lives with the timer so that both workers tick alike.
class TickSchedule {
public:
    virtual ~TickSchedule() = default;
    // Once, when the worker first runs: counter now and its ticks per second.
    virtual void start(std::int64_t now, std::int64_t frequency) = 0;
    // Counter value from which the next tick is due.
    virtual std::int64_t nextTick() const = 0;
    // After a delivery has run: last = counter when the tick was seen, now = counter now.
    virtual void ticked(std::int64_t last, std::int64_t now) = 0;
    // UI thread. An exception thrown here ends the worker.
    virtual void deliverTick() = 0;
};

// A worker that polls the counter (1 ms sleeps) and hands each due tick to the UI
// thread, waiting until it has run there. Created paused.
class TickWorker {
public:
    // Ends the worker and waits for it, running queued deliveries meanwhile.
    virtual ~TickWorker() = default;
    // Starts or continues polling; a worker keeps its deadline across a pause.
    virtual void resume() = 0;
    // Stops polling before the next poll; a delivery already queued still runs.
    virtual void pause() = 0;
    // True once the worker has ended because deliverTick threw.
    virtual bool finished() const = 0;
};

// The UI thread's message loop. Every handler of the program runs on it.
class MessageLoop {
public:
    using TimerId = std::uint32_t; // 0 = no timer

    virtual ~MessageLoop() = default;

    // Arms a repeating window timer whose first tick comes one interval from now.
    // Returns 0 when the system refuses another timer.
    virtual TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) = 0;
    // Stops a timer; unknown or 0 ids are ignored. A timer may kill itself from its tick.
    virtual void killTimer(TimerId id) = 0;

    // Posts a message from any thread: fn runs on the UI thread after everything
    // already queued.
    virtual void post(std::function<void()> fn) = 0;
    // Tick count (Clock::tickCount) at which the message being handled was queued.
    virtual std::uint32_t currentMessageTime() const = 0;
    // Handles every pending message (input, paint, timers, posted work) and returns.
    virtual void processMessages() = 0;

    // Called each time the loop runs out of messages; return true when idle work is
    // done (the loop may then wait), false to be called again at once. Empty = none.
    virtual void setIdleHandler(std::function<bool()> handler) = 0;

    // From any thread: runs fn on the UI thread and returns once it has run there.
    // An exception thrown by fn is rethrown in the calling thread. Called on the UI
    // thread, fn runs at once.
    virtual void runOnUiThreadAndWait(std::function<void()> fn) = 0;

    // A paused worker for schedule; schedule must outlive it.
    virtual std::unique_ptr<TickWorker> createTickWorker(TickSchedule& schedule) = 0;

    // The application's exception handler: reports an exception a handler let escape.
    virtual void reportException(std::exception_ptr error) = 0;

    // Ends the loop; terminating() is true from then on.
    virtual void quit() = 0;
    virtual bool terminating() const = 0;
};

} // namespace coilrun::platform
