#pragma once
#include "engine/platform/audio.h"
#include "engine/platform/message_loop.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace coilrun::sim {

// An audio output in memory. By default a voice finishes as soon as it starts,
// the way the real output behaves on a machine without sound; a test can instead
// finish voices itself, or let them run for their length in the virtual time of a
// message loop. Every playback is recorded in `played`.
class SimAudioOutput : public platform::AudioOutput {
public:
    enum class Completion { AtOnce, Manual, AfterDuration };

    std::unique_ptr<platform::AudioVoice> open(const platform::PcmFormat& format) override;

    void completeAtOnce() { completion_ = Completion::AtOnce; }
    // Voices play until finish() is called for them.
    void completeManually() { completion_ = Completion::Manual; }
    // Voices finish after loops x their length, timed by a window timer of loop.
    void completeAfterDuration(platform::MessageLoop& loop) {
        completion_ = Completion::AfterDuration;
        loop_ = &loop;
    }
    Completion completion() const { return completion_; }

    // open() answers null, as for a format the output cannot play.
    bool refuseOpen = false;

    struct Played {
        platform::PcmFormat format;
        std::size_t bytes = 0;
        std::uint32_t loops = 0;
        bool finished = false; // reported its end
        bool stopped = false;  // reset or closed before its end
        // Seconds of sound: bytes x loops at the format's byte rate.
        double seconds() const;
        bool playing() const { return !finished && !stopped; }
    };
    // One entry per play(), in order.
    std::vector<Played> played;
    // Voices opened and not yet destroyed.
    std::size_t openVoices() const { return openVoices_; }
    std::size_t playingCount() const;

    // Ends the index-th playback as the device would: its onDone runs. May be called
    // from another thread, as a real device does; nothing happens for one that has
    // already ended or been stopped.
    void finish(std::size_t index);
    void finishAll();

private:
    friend class SimVoice;
    struct Voice;
    Completion completion_ = Completion::AtOnce;
    platform::MessageLoop* loop_ = nullptr;
    std::vector<std::shared_ptr<Voice>> voices_; // parallel to played
    std::size_t openVoices_ = 0;
};

} // namespace coilrun::sim
