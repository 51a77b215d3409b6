#pragma once
#include <cstdint>
#include <exception>
#include <functional>

namespace coilrun::platform {

// The UI thread's message loop. Every handler of the program runs on it.
class MessageLoop {
public:
    using TimerId = std::uint32_t; // 0 = no timer

    virtual ~MessageLoop() = default;

    // Arms a repeating window timer whose first tick comes one interval from now.
    // Returns 0 when the system refuses another timer.
    virtual TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) = 0;
    // Stops a timer; unknown or 0 ids are ignored.
    virtual void killTimer(TimerId id) = 0;

    // Posts a message: fn runs on the UI thread after everything already queued.
    virtual void post(std::function<void()> fn) = 0;
    // Tick count (Clock::tickCount) at which the message being handled was queued.
    virtual std::uint32_t currentMessageTime() const = 0;
    // Handles every pending message (input, paint, timers, posted work) and returns.
    virtual void processMessages() = 0;

    // Called each time the loop runs out of messages; return true when idle work is
    // done (the loop may then wait), false to be called again at once. Empty = none.
    virtual void setIdleHandler(std::function<bool()> handler) = 0;

    // From any thread: runs fn on the UI thread and returns once it has run there.
    // An exception thrown by fn is rethrown in the calling thread.
    virtual void runOnUiThreadAndWait(std::function<void()> fn) = 0;

    // The application's exception handler: reports an exception a handler let escape.
    virtual void reportException(std::exception_ptr error) = 0;

    // Ends the loop; terminating() is true from then on.
    virtual void quit() = 0;
    virtual bool terminating() const = 0;
};

} // namespace coilrun::platform
