#pragma once
#include "engine/objects/behaviour.h"
#include "engine/sound/base_sound_source.h"

#include <string>

namespace coilrun::engine {

class SoundContext;
class TGLSoundSource;

// A behaviour that plays one sound from its scene object. Source holds the
// settings; Playing starts a copy of them in the context's active manager and
// reads true exactly as long as that copy lives. Once its sound has ended
// (finished, dropped for want of a channel or sample, stopped) the emitter takes
// itself off its object at the manager's next step, so that starting a sound with
// a new emitter every time does not pile emitters up.
class TGLBSoundEmitter : public TGLBehaviour {
public:
    explicit TGLBSoundEmitter(SoundContext& context);
    ~TGLBSoundEmitter() override;
    std::string className() const override { return "TGLBSoundEmitter"; }
    void doProgress(const TGLProgressTimes& times) override { (void)times; }

    TGLBaseSoundSource& source() { return source_; }
    const TGLBaseSoundSource& source() const { return source_; }

    bool playing() const { return playingSource_ != nullptr; }
    // Without an active manager nothing plays and the player is told so. While
    // loading only the wish is stored.
    void setPlaying(bool playing);
    // The source playing in the manager, null when not playing.
    TGLSoundSource* playingSource() const { return playingSource_; }

    // Whether the emitter leaves its object once its sound has ended (it does unless
    // told otherwise).
    bool removeWhenEnded() const { return removeWhenEnded_; }
    void setRemoveWhenEnded(bool remove) { removeWhenEnded_ = remove; }

    void beginLoading() { loading_ = true; }
    void endLoading();
    bool isLoading() const { return loading_; }

private:
    friend class TGLSoundSource;
    void sourceDestroyed(TGLSoundSource& source);

    SoundContext& context_;
    TGLBaseSoundSource source_;
    TGLSoundSource* playingSource_ = nullptr;
    bool loading_ = false;
    bool playingWhenLoaded_ = false;
    bool removeWhenEnded_ = true;
};

} // namespace coilrun::engine
