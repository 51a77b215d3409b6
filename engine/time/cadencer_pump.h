#pragma once
#include "engine/platform/clock.h"
#include "engine/platform/message_loop.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace coilrun::engine {

class TGLCadencer;

// What the cadencers of one program share: the clock and loop they run on, the
// counter frequency read once, the list of cadencers pumped as fast as possible and
// the pump itself, which exists exactly while that list does. Whoever owns the
// platform owns one of these; it must outlive every cadencer made on it.
class CadencerPump {
public:
    // Ticks handled within one millisecond of the clock beyond which the pump pauses
    // for a 1 ms timer, so that painting, input and timers get through. One: a frame
    // that takes a millisecond or more is never held back, but between frames the
    // pump steps its cadencers about twice a millisecond instead of spinning through
    // the message loop tens of thousands of times a second (in play, where the scene
    // changes with the 10 ms timers, that spin was a quarter of the program's CPU).
    static constexpr int tooFastLimit = 1;

    CadencerPump(platform::Clock& clock, platform::MessageLoop& loop);
    ~CadencerPump();
    CadencerPump(const CadencerPump&) = delete;
    CadencerPump& operator=(const CadencerPump&) = delete;

    platform::Clock& clock() { return clock_; }
    platform::MessageLoop& loop() { return loop_; }
    // Ticks per second of the performance counter at creation; 0 without one.
    std::int64_t frequency() const { return frequency_; }

    // Registration, by the cadencers themselves.
    void registerAsap(TGLCadencer& cadencer);
    void unregisterAsap(TGLCadencer& cadencer);
    void registerIdle(TGLCadencer& cadencer);
    void unregisterIdle(TGLCadencer& cadencer);
    // Whether the ASAP list exists and holds cadencer.
    bool holdsAsap(const TGLCadencer& cadencer) const;

    // For tests and figures.
    bool pumpExists() const { return bool(window_); }
    bool throttled() const { return window_ && window_->throttleTimer != 0; }
    std::uint64_t ticksPosted() const { return ticksPosted_; }

private:
    // The hidden message target. A tick addressed to a pump that has gone is dropped.
    struct Window {
        int tooFastCount = 0;
        platform::MessageLoop::TimerId throttleTimer = 0;
    };

    void createPump();
    void freePump();
    void postTick();
    void handleMessage(bool isTimer);
    void walk();

    platform::Clock& clock_;
    platform::MessageLoop& loop_;
    const std::int64_t frequency_;
    std::optional<std::vector<TGLCadencer*>> asap_;
    std::shared_ptr<Window> window_;
    bool handling_ = false;
    TGLCadencer* idle_ = nullptr;
    std::uint64_t ticksPosted_ = 0;
};

} // namespace coilrun::engine
