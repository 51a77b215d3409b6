#pragma once
#include "engine/sound/base_sound_source.h"

#include <memory>

namespace coilrun::engine {

class TGLBaseSceneObject;
class TGLBSoundEmitter;
class TGLSoundManager;

// What a manager keeps on a source while it plays it on the system's output.
class TGLSoundPlayback {
public:
    virtual ~TGLSoundPlayback() = default;
};

// A sound that was asked for, an item of a manager's Sources. Destroying it stops
// its playback (the manager's KillSource) and tells the emitter that owns it.
class TGLSoundSource : public TGLBaseSoundSource {
public:
    explicit TGLSoundSource(TGLSoundManager* manager = nullptr) : manager_(manager) {}
    ~TGLSoundSource() override;

    TGLSoundManager* manager() const { return manager_; }
    // The scene object it sounds from; the emitter's own object.
    TGLBaseSceneObject* origin() const { return origin_; }
    void setOrigin(TGLBaseSceneObject* origin) { origin_ = origin; }
    TGLBSoundEmitter* emitter() const { return emitter_; }
    void setEmitter(TGLBSoundEmitter* emitter) { emitter_ = emitter; }

    // Null until the manager has started it.
    TGLSoundPlayback* playback() const { return playback_.get(); }
    void setPlayback(std::unique_ptr<TGLSoundPlayback> playback) {
        playback_ = std::move(playback);
    }
    std::unique_ptr<TGLSoundPlayback> takePlayback() { return std::move(playback_); }

private:
    TGLSoundManager* manager_;
    TGLBaseSceneObject* origin_ = nullptr;
    TGLBSoundEmitter* emitter_ = nullptr;
    std::unique_ptr<TGLSoundPlayback> playback_;
};

} // namespace coilrun::engine
