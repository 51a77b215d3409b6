#pragma once
#include "engine/platform/audio.h"

#include <vector>

namespace coilrun::sim {

// An audio output with no device: voices finish as soon as they start, the way
// the real output behaves on a machine without sound. Tests read what was played.
class SimAudioOutput : public platform::AudioOutput {
public:
    std::unique_ptr<platform::AudioVoice> open(const platform::PcmFormat& format) override;

    struct Played {
        platform::PcmFormat format;
        std::size_t bytes;
        std::uint32_t loops;
    };
    std::vector<Played> played;
};

} // namespace coilrun::sim
