#pragma once
#include "engine/platform/audio.h"

namespace coilrun::qt {

class QtAudioOutput : public platform::AudioOutput {
public:
    std::unique_ptr<platform::AudioVoice> open(const platform::PcmFormat& format) override;
};

} // namespace coilrun::qt
