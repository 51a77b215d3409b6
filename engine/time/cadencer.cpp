#include "engine/time/cadencer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace coilrun::engine {

ProgressTarget::~ProgressTarget() {
    for (auto* cadencer : std::vector<TGLCadencer*>(cadencers_))
        cadencer->setScene(nullptr);
}

TGLCadencer::TGLCadencer(CadencerPump& pump) : pump_(pump) {
    downTime_ = rawTime();
    originTime_ = downTime_;
}

TGLCadencer::~TGLCadencer() {
    if (progressing_ != 0) {
        std::fputs("Assertion failure: a cadencer was destroyed during its own step\n", stderr);
        std::abort();
    }
    *alive_ = false;
    pump_.unregisterAsap(*this);
    pump_.unregisterIdle(*this);
    setScene(nullptr);
    auto subscribers = std::move(subscribers_);
    subscribers_.clear();
    for (auto* s : subscribers) {
        std::erase(s->subscribedTo_, this);
        s->cadencerDestroyed(*this);
    }
}

double TGLCadencer::rawTime() const {
    switch (timeReference_) {
    case TGLCadencerTimeReference::cmRTC:
        return pump_.clock().localDateTimeDays() * 86400.0;
    case TGLCadencerTimeReference::cmPerformanceCounter: {
        // Without a counter time stands still rather than turning into NaN.
        const auto f = pump_.frequency();
        return f ? double(pump_.clock().performanceCounter()) / double(f) : 0.0;
    }
    case TGLCadencerTimeReference::cmExternal:
        return externalTime_;
    }
    return 0;
}

double TGLCadencer::getCurrentTime() {
    currentTime_ = (rawTime() - originTime_) * timeMultiplier_;
    return currentTime_;
}

void TGLCadencer::setScene(ProgressTarget* scene) {
    if (scene == scene_) return;
    if (scene_) std::erase(scene_->cadencers_, this);
    scene_ = scene;
    if (scene_) scene_->cadencers_.push_back(this);
    refresh();
}

void TGLCadencer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_)
        originTime_ += rawTime() - downTime_;
    else
        downTime_ = rawTime();
    refresh();
}

void TGLCadencer::setTimeMultiplier(double multiplier) {
    if (multiplier == timeMultiplier_) return;
    if (multiplier != 0) {
        double k = timeMultiplier_;
        if (timeMultiplier_ == 0) {
            setEnabled(true);
            k = lastMultiplier_;
        }
        const double r = rawTime();
        originTime_ = r - (r - originTime_) * k / multiplier;
    } else {
        lastMultiplier_ = timeMultiplier_;
        setEnabled(false);
    }
    timeMultiplier_ = multiplier;
}

void TGLCadencer::setMode(TGLCadencerMode mode) {
    if (mode == mode_) return;
    if (mode_ != TGLCadencerMode::cmManual) unregister();
    mode_ = mode;
    refresh();
}

void TGLCadencer::endLoading() {
    loading_ = false;
    refresh();
}

void TGLCadencer::refresh() {
    if (loading_) return;
    const bool pumped =
        mode_ == TGLCadencerMode::cmASAP || mode_ == TGLCadencerMode::cmApplicationIdle;
    if (!pumped || !scene_ || !enabled_) {
        unregister();
        return;
    }
    if (mode_ == TGLCadencerMode::cmASAP)
        pump_.registerAsap(*this);
    else
        pump_.registerIdle(*this);
}

void TGLCadencer::unregister() {
    if (mode_ == TGLCadencerMode::cmASAP)
        pump_.unregisterAsap(*this);
    else if (mode_ == TGLCadencerMode::cmApplicationIdle)
        pump_.unregisterIdle(*this);
}

void TGLCadencer::subscribe(TGLCadenceAbleComponent& component) {
    if (std::find(subscribers_.begin(), subscribers_.end(), &component) != subscribers_.end())
        return;
    subscribers_.push_back(&component);
    component.subscribedTo_.push_back(this);
}

void TGLCadencer::unSubscribe(TGLCadenceAbleComponent& component) {
    const auto it = std::find(subscribers_.begin(), subscribers_.end(), &component);
    if (it == subscribers_.end()) return;
    subscribers_.erase(it);
    std::erase(component.subscribedTo_, this);
}

void TGLCadencer::progress() {
    if (progressing_ < 0) return; // called from our own scene's advance
    if (enabled_) {
        if (sleepLength_ >= 0) pump_.clock().sleepMs(sleepLength_);
        if (mode_ == TGLCadencerMode::cmASAP) {
            // Input, paint, timers and asynchronous ticks are handled between frames.
            const auto alive = alive_;
            pump_.loop().processMessages();
            if (!*alive || !pump_.holdsAsap(*this)) return;
        }
    }
    struct Busy {
        int& counter;
        explicit Busy(int& c) : counter(c) { ++counter; }
        ~Busy() { --counter; }
    } busy(progressing_);
    if (enabled_) step();
}

void TGLCadencer::replayStep(double deltaTime) {
    struct Busy {
        int& counter;
        explicit Busy(int& c) : counter(c) { ++counter; }
        ~Busy() { --counter; }
    } busy(progressing_);
    lastTime_ += deltaTime;
    if (scene_ && deltaTime != 0) {
        progressing_ = -progressing_;
        scene_->doProgress(deltaTime, lastTime_);
        progressing_ = -progressing_;
    }
    for (std::size_t i = 0; i < subscribers_.size(); ++i)
        subscribers_[i]->doProgress({deltaTime, lastTime_});
    if (onProgress_) {
        const auto handler = onProgress_;
        handler(*this, deltaTime, lastTime_);
    }
}

void TGLCadencer::step() {
    double newTime = getCurrentTime();
    double deltaTime = newTime - lastTime_;
    if (deltaTime < minDeltaTime_ || deltaTime < fixedDeltaTime_) return; // stays pending
    if (maxDeltaTime_ > 0 && deltaTime > maxDeltaTime_) {
        originTime_ += (deltaTime - maxDeltaTime_) / timeMultiplier_;
        deltaTime = maxDeltaTime_;
        newTime = lastTime_ + deltaTime;
    }
    double totalDelta = deltaTime;
    if (fixedDeltaTime_ > 0) deltaTime = fixedDeltaTime_;
    // A handler that hands over to another cadencer disables this one: the sub-steps
    // still owed would run a screen the game has left (the menu frame would put its
    // camera back after the game had started). They wait until it is enabled again.
    while (enabled_ && totalDelta >= deltaTime) {
        lastTime_ += deltaTime;
        if (scene_ && deltaTime != 0) {
            struct Negated {
                int& counter;
                explicit Negated(int& c) : counter(c) { counter = -counter; }
                ~Negated() { counter = -counter; }
            } negated(progressing_);
            scene_->doProgress(deltaTime, lastTime_);
        }
        // A subscriber may subscribe or leave others while it runs.
        for (std::size_t i = 0; i < subscribers_.size(); ++i)
            subscribers_[i]->doProgress({deltaTime, lastTime_});
        if (onProgress_) {
            const auto handler = onProgress_; // it may replace itself
            handler(*this, deltaTime, newTime);
        }
        if (deltaTime <= 0) break;
        totalDelta -= deltaTime;
    }
}

} // namespace coilrun::engine
