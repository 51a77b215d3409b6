#include "engine/sound/sm_wave_out.h"

#include "engine/sound/sound_library.h"

namespace coilrun::engine {

TGLSMWaveOut::TGLSMWaveOut(SoundContext& context, platform::AudioOutput& output)
    : TGLSoundManager(context), output_(output) {
    setMaxChannels(4);
}

TGLSMWaveOut::~TGLSMWaveOut() {
    shutDown();
}

TGLWaveOutPlayback* TGLSMWaveOut::playbackOf(const TGLSoundSource& source) {
    return dynamic_cast<TGLWaveOutPlayback*>(source.playback());
}

void TGLSMWaveOut::updateSources() {
    // Walking down lets a source be deleted without disturbing the ones still ahead.
    int busy = 0;
    for (std::size_t i = sources().count(); i-- > 0;) {
        if (const TGLWaveOutPlayback* p = playbackOf(sources().item(i))) {
            if (p->done())
                sources().deleteAt(i);
            else
                ++busy;
        }
    }
    // The requests nearest the end are served first; one that cannot be served now
    // is dropped, never kept waiting for a channel.
    for (std::size_t i = sources().count(); i-- > 0;) {
        TGLSoundSource& source = sources().item(i);
        if (source.playback()) continue;
        std::shared_ptr<const TGLWAVFile> data;
        if (busy < maxChannels() && source.soundLibrary()) {
            if (const TGLSoundSample* s =
                    source.soundLibrary()->samples().getByName(source.soundName()))
                data = s->data();
        }
        if (data && start(source, std::move(data)))
            ++busy;
        else
            sources().deleteAt(i);
    }
}

bool TGLSMWaveOut::start(TGLSoundSource& source, std::shared_ptr<const TGLWAVFile> sample) {
    const TGLSoundSampling& s = sample->Sampling();
    std::unique_ptr<platform::AudioVoice> voice =
        output_.open({s.Frequency, s.NbChannels, s.BitsPerSample});
    if (!voice) return false;

    auto record = std::make_unique<TGLWaveOutPlayback>();
    const auto pcm = sample->pcmData();
    record->header_.data = pcm.data();
    record->header_.length = pcm.size();
    // Compared unsigned, as the system does: 0 and 1 play once, and a negative count
    // asks for (practically) endless looping.
    record->header_.loops = std::uint32_t(source.nbLoops());
    record->header_.flags =
        record->header_.loops < 2 ? 0 : TGLWaveOutHeader::beginLoop | TGLWaveOutHeader::endLoop;
    record->sample_ = std::move(sample);
    record->voice_ = std::move(voice);

    TGLWaveOutPlayback& r = *record;
    source.setPlayback(std::move(record));
    const std::uint32_t times = r.header_.flags ? r.header_.loops : 1;
    r.voice_->play(r.header_.data, r.header_.length, times,
                   [done = r.done_] { done->store(true, std::memory_order_release); });
    return true;
}

void TGLSMWaveOut::killSource(TGLSoundSource& source) {
    if (!playbackOf(source)) return;
    std::unique_ptr<TGLSoundPlayback> owned = source.takePlayback();
    auto& record = static_cast<TGLWaveOutPlayback&>(*owned);
    if (!record.done()) record.voice_->reset();
    record.voice_.reset();
}

void TGLSMWaveOut::doDeActivate() {
    for (std::size_t i = sources().count(); i-- > 0;)
        killSource(sources().item(i));
}

} // namespace coilrun::engine
