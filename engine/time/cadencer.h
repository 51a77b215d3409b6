#pragma once
#include "engine/time/cadenced_component.h"
#include "engine/time/cadencer_pump.h"
#include "engine/time/progress_target.h"

#include <functional>
#include <memory>
#include <vector>

namespace coilrun::engine {

enum class TGLCadencerTimeReference { cmRTC, cmPerformanceCounter, cmExternal };
enum class TGLCadencerMode { cmManual, cmASAP, cmApplicationIdle };

// Drives frames: at every step it measures the cadencer time that has passed and
// hands it to the scene, the subscribers and OnProgress. In cmASAP the pump steps
// it as fast as the loop allows, in cmApplicationIdle whenever the loop is idle, in
// cmManual only when progress() is called.
class TGLCadencer {
public:
    using ProgressEvent =
        std::function<void(TGLCadencer& sender, double deltaTime, double newTime)>;

    explicit TGLCadencer(CadencerPump& pump);
    // A step must not be running: destroying a cadencer from its own step aborts.
    ~TGLCadencer();
    TGLCadencer(const TGLCadencer&) = delete;
    TGLCadencer& operator=(const TGLCadencer&) = delete;

    ProgressTarget* scene() const { return scene_; }
    // Without a scene the cadencer is never pumped.
    void setScene(ProgressTarget* scene);
    bool enabled() const { return enabled_; }
    // Time spent disabled does not count: cadencer time resumes where it stopped.
    void setEnabled(bool enabled);
    TGLCadencerTimeReference timeReference() const { return timeReference_; }
    void setTimeReference(TGLCadencerTimeReference reference) { timeReference_ = reference; }
    double timeMultiplier() const { return timeMultiplier_; }
    // Cadencer time stays continuous. 0 freezes it and disables the cadencer; a later
    // non-zero value enables it again.
    void setTimeMultiplier(double multiplier);
    // Largest step in seconds (0 = none); the excess of a longer stall is dropped.
    double maxDeltaTime() const { return maxDeltaTime_; }
    void setMaxDeltaTime(double seconds) { maxDeltaTime_ = seconds; }
    // Smallest elapsed time in seconds that makes a step.
    double minDeltaTime() const { return minDeltaTime_; }
    void setMinDeltaTime(double seconds) { minDeltaTime_ = seconds; }
    // When > 0, time is consumed in whole steps of this many seconds; the rest waits.
    double fixedDeltaTime() const { return fixedDeltaTime_; }
    void setFixedDeltaTime(double seconds) { fixedDeltaTime_ = seconds; }
    TGLCadencerMode mode() const { return mode_; }
    void setMode(TGLCadencerMode mode);
    // Milliseconds slept before each step; negative = none.
    int sleepLength() const { return sleepLength_; }
    void setSleepLength(int ms) { sleepLength_ = ms; }
    const ProgressEvent& onProgress() const { return onProgress_; }
    void setOnProgress(ProgressEvent handler) { onProgress_ = std::move(handler); }

    // One step (what the pump calls).
    void progress();
    // One step of exactly deltaTime seconds, whatever the time: the scene, the
    // subscribers and OnProgress, as a measured step would run them. For playing a
    // recorded run again, in cmManual.
    void replayStep(double deltaTime);
    // Cadencer time now; stored as currentTime().
    double getCurrentTime();
    double currentTime() const { return currentTime_; }
    // The raw time cmExternal reads, in seconds.
    void setExternalTime(double seconds) { externalTime_ = seconds; }

    void subscribe(TGLCadenceAbleComponent& component);
    void unSubscribe(TGLCadenceAbleComponent& component);
    const std::vector<TGLCadenceAbleComponent*>& subscribers() const { return subscribers_; }

    // While loading, registration waits for endLoading.
    void beginLoading() { loading_ = true; }
    void endLoading();

    double lastTime() const { return lastTime_; }
    double originTime() const { return originTime_; }
    double downTime() const { return downTime_; }
    // Positive while a step runs, negative while the scene is being advanced.
    int progressing() const { return progressing_; }
    CadencerPump& pump() { return pump_; }

private:
    double rawTime() const;
    void refresh();
    void unregister();
    void step();

    CadencerPump& pump_;
    ProgressTarget* scene_ = nullptr;
    bool enabled_ = true;
    TGLCadencerTimeReference timeReference_ = TGLCadencerTimeReference::cmPerformanceCounter;
    double timeMultiplier_ = 1.0;
    double maxDeltaTime_ = 0;
    double minDeltaTime_ = 0;
    double fixedDeltaTime_ = 0;
    TGLCadencerMode mode_ = TGLCadencerMode::cmASAP;
    int sleepLength_ = -1;
    ProgressEvent onProgress_;

    std::vector<TGLCadenceAbleComponent*> subscribers_;
    double lastTime_ = 0;
    double downTime_ = 0;
    double lastMultiplier_ = 0;
    double originTime_ = 0;
    double currentTime_ = 0;
    double externalTime_ = 0;
    int progressing_ = 0;
    bool loading_ = false;
    // Lets a step notice that a handler run from the message loop destroyed it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace coilrun::engine
