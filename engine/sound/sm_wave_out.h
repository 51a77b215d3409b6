#pragma once
#include "engine/platform/audio.h"
#include "engine/sound/sound_manager.h"
#include "engine/sound/wav_file.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace coilrun::engine {

// The buffer handed to the output, as the system's wave header has it.
struct TGLWaveOutHeader {
    static constexpr std::uint32_t beginLoop = 4;
    static constexpr std::uint32_t endLoop = 8;

    const std::uint8_t* data = nullptr;
    std::size_t length = 0;
    std::uint32_t flags = 0; // beginLoop | endLoop when it is played more than once
    std::uint32_t loops = 0; // NbLoops as given
};

// What the wave output keeps on a source it plays. The output reports the end of
// the sound from whatever thread it likes; all that happens there is that `done`
// is set, and the next update reads it.
class TGLWaveOutPlayback : public TGLSoundPlayback {
public:
    bool done() const { return done_->load(std::memory_order_acquire); }
    const TGLWaveOutHeader& header() const { return header_; }
    platform::AudioVoice* voice() const { return voice_.get(); }

private:
    friend class TGLSMWaveOut;
    std::shared_ptr<std::atomic<bool>> done_ = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<const TGLWAVFile> sample_; // the bytes the voice reads
    TGLWaveOutHeader header_;
    std::unique_ptr<platform::AudioVoice> voice_;
};

// Plays every source on a voice of its own, at the sample's recorded rate, width
// and channels; the system mixes them. Volume, position and the rest are kept but
// not heard.
class TGLSMWaveOut : public TGLSoundManager {
public:
    TGLSMWaveOut(SoundContext& context, platform::AudioOutput& output);
    ~TGLSMWaveOut() override;
    std::string className() const override { return "TGLSMWaveOut"; }

    // Null when source is not playing on this output.
    static TGLWaveOutPlayback* playbackOf(const TGLSoundSource& source);

    void killSource(TGLSoundSource& source) override;

protected:
    bool doActivate() override { return true; }
    void doDeActivate() override;
    void updateSources() override;

private:
    bool start(TGLSoundSource& source, std::shared_ptr<const TGLWAVFile> sample);

    platform::AudioOutput& output_;
};

} // namespace coilrun::engine
