#include "engine/sound/sound_manager.h"

#include "engine/objects/base_scene_object.h"

namespace coilrun::engine {

TGLSoundManager::TGLSoundManager(SoundContext& context) : context_(context) {}

TGLSoundManager::~TGLSoundManager() {
    shutDown();
    setListener(nullptr);
}

void TGLSoundManager::shutDown() {
    if (active_ && !loading_) setActive(false);
    active_ = false;
    sources_.clear();
}

void TGLSoundManager::setActive(bool active) {
    if (active == active_) return;
    if (loading_) {
        active_ = active;
        return;
    }
    if (active)
        activate();
    else
        deactivate();
}

void TGLSoundManager::activate() {
    if (context_.active_ && context_.active_ != this) context_.active_->setActive(false);
    if (doActivate()) {
        active_ = true;
        context_.active_ = this;
    }
}

void TGLSoundManager::deactivate() {
    // However the stopping ends, this manager is no longer the active one.
    struct Cleared {
        TGLSoundManager& m;
        ~Cleared() {
            m.active_ = false;
            if (m.context_.active_ == &m) m.context_.active_ = nullptr;
        }
    } cleared{*this};
    sources_.clear();
    doDeActivate();
}

void TGLSoundManager::endLoading() {
    if (!loading_) return;
    loading_ = false;
    if (active_) {
        active_ = false;
        setActive(true);
    }
}

void TGLSoundManager::setListener(TGLBaseSceneObject* listener) {
    if (listener == listener_) return;
    if (listener_) listener_->removeFreeNotification(this);
    listener_ = listener;
    if (listener_) listener_->addFreeNotification(this);
}

void TGLSoundManager::notification(TGLComponent* removed) {
    if (removed == listener_) listener_ = nullptr;
    TGLComponent::notification(removed);
}

void TGLSoundManager::doProgress(const engine::ProgressTimes& times) {
    if (active_ && !loading_ && times.newTime - lastUpdateTime_ > 1.0 / updateFrequency_) {
        lastDeltaTime_ = times.newTime - lastUpdateTime_;
        lastUpdateTime_ = times.newTime;
        updateSources();
    }
    context_.collectEndedEmitters();
}

} // namespace coilrun::engine
