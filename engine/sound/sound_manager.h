#pragma once
#include "engine/objects/component.h"
#include "engine/sound/sound_context.h"
#include "engine/sound/sound_environment.h"
#include "engine/sound/sound_sources.h"
#include "engine/time/cadenced_component.h"

#include <string>

namespace coilrun::engine {

class TGLBaseSceneObject;

// Owns the sounds that were asked for and plays them on some output; a subclass
// says how. At most one manager of a SoundContext is active: activating one
// deactivates the other first, and emitters start their sounds in the active one.
// It is advanced by its Cadencer and looks at its sources UpdateFrequency times a
// second.
class TGLSoundManager : public TGLComponent, public engine::TGLCadencedComponent {
public:
    explicit TGLSoundManager(SoundContext& context);
    ~TGLSoundManager() override;
    std::string className() const override { return "TGLSoundManager"; }

    SoundContext& context() const { return context_; }

    bool active() const { return active_; }
    // Activating makes this the context's active manager (after deactivating the one
    // that was); deactivating deletes every source, which stops it. While loading
    // only the flag is stored: endLoading applies it.
    void setActive(bool active);
    // Most sources that play at once; further requests are dropped.
    int maxChannels() const { return maxChannels_; }
    void setMaxChannels(int channels) { maxChannels_ = channels; }
    int outputFrequency() const { return outputFrequency_; }
    void setOutputFrequency(int hz) { outputFrequency_ = hz; }
    bool mute() const { return mute_; }
    void setMute(bool mute) { mute_ = mute; }
    bool pause() const { return pause_; }
    void setPause(bool pause) { pause_ = pause; }
    float masterVolume() const { return masterVolume_; }
    void setMasterVolume(float volume) { masterVolume_ = volume; }
    // Cleared when the object is destroyed.
    TGLBaseSceneObject* listener() const { return listener_; }
    void setListener(TGLBaseSceneObject* listener);
    TGLSoundSources& sources() { return sources_; }
    const TGLSoundSources& sources() const { return sources_; }
    // Updates per second of cadencer time.
    float updateFrequency() const { return updateFrequency_; }
    void setUpdateFrequency(float perSecond) { updateFrequency_ = perSecond; }
    float distanceFactor() const { return distanceFactor_; }
    void setDistanceFactor(float f) { distanceFactor_ = f; }
    float rollOffFactor() const { return rollOffFactor_; }
    void setRollOffFactor(float f) { rollOffFactor_ = f; }
    float dopplerFactor() const { return dopplerFactor_; }
    void setDopplerFactor(float f) { dopplerFactor_ = f; }
    TGLSoundEnvironment environment() const { return environment_; }
    void setEnvironment(TGLSoundEnvironment e) { environment_ = e; }

    void beginLoading() { loading_ = true; }
    // A manager stored as active is activated now, so of several the last to end
    // loading is the active one.
    void endLoading();
    bool isLoading() const { return loading_; }

    // From the cadencer: UpdateSources once more than 1 / UpdateFrequency seconds
    // have passed since the last update; then the emitters whose sound ended are
    // taken off their objects.
    void doProgress(const engine::ProgressTimes& times) override;
    // Cadencer time of the last update (-1e30 before the first) and the time
    // between the last two.
    double lastUpdateTime() const { return lastUpdateTime_; }
    double lastDeltaTime() const { return lastDeltaTime_; }

    // Stops a source's playback and frees what the output kept for it; the source
    // calls it as it is destroyed.
    virtual void killSource(TGLSoundSource& source) { (void)source; }

protected:
    // True when the output could be opened.
    virtual bool doActivate() { return true; }
    virtual void doDeActivate() {}
    // Starts what was asked for and deletes what has ended.
    virtual void updateSources() {}

    // For a subclass's destructor: deactivates while its killSource still runs.
    void shutDown();
    void notification(TGLComponent* removed) override;

private:
    void activate();
    void deactivate();

    SoundContext& context_;
    bool active_ = false;
    bool loading_ = false;
    int maxChannels_ = 8;
    int outputFrequency_ = 44100;
    bool mute_ = false;
    bool pause_ = false;
    float masterVolume_ = 1.0f;
    TGLBaseSceneObject* listener_ = nullptr;
    float updateFrequency_ = 10.0f;
    float distanceFactor_ = 1.0f;
    float rollOffFactor_ = 1.0f;
    float dopplerFactor_ = 1.0f;
    TGLSoundEnvironment environment_ = TGLSoundEnvironment::seDefault;
    double lastUpdateTime_ = -1e30;
    double lastDeltaTime_ = 0;
    // Last member: its sources are destroyed first and may still call killSource.
    TGLSoundSources sources_{this};
};

} // namespace coilrun::engine
