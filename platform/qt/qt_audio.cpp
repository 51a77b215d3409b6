#include "platform/qt/qt_audio.h"

namespace coilrun::qt {
namespace {

// Until the audio sink is wired up, a voice finishes the moment it starts.
class SilentVoice : public platform::AudioVoice {
public:
    void play(const std::uint8_t*, std::size_t, std::uint32_t,
              std::function<void()> onDone) override {
        if (onDone) onDone();
    }
    void reset() override {}
};

} // namespace

std::unique_ptr<platform::AudioVoice> QtAudioOutput::open(const platform::PcmFormat&) {
    return std::make_unique<SilentVoice>();
}

} // namespace coilrun::qt
