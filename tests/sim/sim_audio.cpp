#include "tests/sim/sim_audio.h"

namespace coilrun::sim {
namespace {

class SimVoice : public platform::AudioVoice {
public:
    SimVoice(SimAudioOutput& out, platform::PcmFormat f) : out_(out), format_(f) {}
    void play(const std::uint8_t*, std::size_t size, std::uint32_t loops,
              std::function<void()> onDone) override {
        out_.played.push_back({format_, size, loops});
        if (onDone) onDone();
    }
    void reset() override {}

private:
    SimAudioOutput& out_;
    platform::PcmFormat format_;
};

} // namespace

std::unique_ptr<platform::AudioVoice> SimAudioOutput::open(const platform::PcmFormat& format) {
    return std::make_unique<SimVoice>(*this, format);
}

} // namespace coilrun::sim
