#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace coilrun::platform {

struct PcmFormat {
    int sampleRate = 22050;
    int channels = 1;
    int bitsPerSample = 8;
};

// One playback of one PCM buffer on the system's audio output.
class AudioVoice {
public:
    virtual ~AudioVoice() = default; // stops at once
    // Plays size bytes at data loops times (data must outlive the voice). onDone is
    // called once, from any thread, when the last loop has finished.
    virtual void play(const std::uint8_t* data, std::size_t size, std::uint32_t loops,
                      std::function<void()> onDone) = 0;
    // Stops at once (waveOutReset); onDone is then not called.
    virtual void reset() = 0;
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Opens a voice with format; null when the format is not playable. On a machine
    // without an audio device a voice still opens and completes at once, silently.
    virtual std::unique_ptr<AudioVoice> open(const PcmFormat& format) = 0;
};

} // namespace coilrun::platform
