#include "engine/objects/scene.h"

#include <stdexcept>

namespace coilrun::engine {

TGLSceneRootObject::TGLSceneRootObject(TGLScene& scene) {
    markAsSceneRoot();
    attachToScene(&scene);
    setObjectsSorting(TGLObjectsSorting::osRenderBlendedLast);
    setVisibilityCulling(TGLVisibilityCulling::vcNone);
}

TGLScene::TGLScene() {
    // The root reports its first settings to the scene: every member must exist first.
    root_ = std::make_unique<TGLSceneRootObject>(*this);
    setName("scene");
}

TGLScene::~TGLScene() {
    // Objects that go now may still report changes; nobody listens any more.
    destroying_ = true;
    listeners_.clear();
    root_.reset();
}

TGLBaseSceneObject* TGLScene::findSceneObject(const std::string& name) const {
    return root_->findChild(name);
}

void TGLScene::progress(double deltaTime, double newTime) {
    const TGLProgressTimes times{deltaTime, newTime};
    for (std::size_t i = 0; i < root_->count(); ++i)
        root_->child(i).doProgress(times);
}

int TGLScene::addChangeListener(ChangeListener listener) {
    const int id = nextListenerId_++;
    listeners_[id] = std::move(listener);
    return id;
}

void TGLScene::removeChangeListener(int id) {
    listeners_.erase(id);
}

void TGLScene::endUpdate() {
    if (updateCount_ <= 0) throw std::logic_error("Unbalanced Begin/EndUpdate");
    if (--updateCount_ == 0 && pendingChange_) fire();
}

void TGLScene::notifyChange(TGLBaseSceneObject&) {
    if (destroying_) return;
    ++changeCount_;
    if (updateCount_ > 0) {
        pendingChange_ = true;
        return;
    }
    fire();
}

void TGLScene::fire() {
    pendingChange_ = false;
    // A listener may remove itself (or others) while we call it.
    for (auto it = listeners_.begin(); it != listeners_.end();) {
        const int id = it->first;
        ChangeListener copy = it->second;
        copy();
        it = listeners_.upper_bound(id);
    }
}

} // namespace coilrun::engine
