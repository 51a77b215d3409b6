#include "tests/sim/sim_audio.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace coilrun::sim {

struct SimAudioOutput::Voice {
    std::size_t index = 0;
    std::function<void()> onDone;
    platform::MessageLoop::TimerId timer = 0;
};

class SimVoice : public platform::AudioVoice {
public:
    SimVoice(SimAudioOutput& out, platform::PcmFormat f) : out_(out), format_(f) {
        ++out_.openVoices_;
    }
    ~SimVoice() override {
        reset();
        --out_.openVoices_;
    }

    void play(const std::uint8_t*, std::size_t size, std::uint32_t loops,
              std::function<void()> onDone) override {
        reset();
        voice_ = std::make_shared<SimAudioOutput::Voice>();
        voice_->index = out_.played.size();
        voice_->onDone = std::move(onDone);
        out_.played.push_back({format_, size, loops});
        out_.voices_.push_back(voice_);
        const double seconds = out_.played.back().seconds();
        switch (out_.completion_) {
        case SimAudioOutput::Completion::AtOnce:
            out_.finish(voice_->index);
            break;
        case SimAudioOutput::Completion::Manual:
            break;
        case SimAudioOutput::Completion::AfterDuration: {
            if (seconds <= 0 || !out_.loop_) {
                out_.finish(voice_->index);
                break;
            }
            const auto ms = std::uint32_t(std::max(1.0, std::ceil(seconds * 1000.0)));
            std::weak_ptr<SimAudioOutput::Voice> weak = voice_;
            SimAudioOutput* out = &out_;
            voice_->timer = out_.loop_->startTimer(ms, [weak, out] {
                if (auto v = weak.lock()) {
                    out->loop_->killTimer(v->timer);
                    v->timer = 0;
                    out->finish(v->index);
                }
            });
            break;
        }
        }
    }

    void reset() override {
        if (!voice_) return;
        if (voice_->timer && out_.loop_) out_.loop_->killTimer(voice_->timer);
        voice_->timer = 0;
        SimAudioOutput::Played& p = out_.played[voice_->index];
        if (!p.finished) p.stopped = true;
        voice_->onDone = nullptr;
        voice_.reset();
    }

private:
    SimAudioOutput& out_;
    platform::PcmFormat format_;
    std::shared_ptr<SimAudioOutput::Voice> voice_;
};

double SimAudioOutput::Played::seconds() const {
    const double rate = double(format.sampleRate) * format.channels * format.bitsPerSample / 8.0;
    return rate > 0 ? double(bytes) * loops / rate : 0.0;
}

std::unique_ptr<platform::AudioVoice> SimAudioOutput::open(const platform::PcmFormat& format) {
    if (refuseOpen) return nullptr;
    return std::make_unique<SimVoice>(*this, format);
}

std::size_t SimAudioOutput::playingCount() const {
    std::size_t n = 0;
    for (const Played& p : played)
        if (p.playing()) ++n;
    return n;
}

void SimAudioOutput::finish(std::size_t index) {
    Played& p = played.at(index);
    if (!p.playing()) return;
    p.finished = true;
    std::function<void()> done = std::move(voices_[index]->onDone);
    voices_[index]->onDone = nullptr;
    if (done) done();
}

void SimAudioOutput::finishAll() {
    for (std::size_t i = 0; i < played.size(); ++i)
        finish(i);
}

} // namespace coilrun::sim
