#include "engine/objects/component.h"

#include <algorithm>

namespace coilrun::engine {

namespace {
void eraseOne(std::vector<TGLComponent*>& v, TGLComponent* c) {
    const auto it = std::find(v.begin(), v.end(), c);
    if (it != v.end()) v.erase(it);
}
} // namespace

TGLComponent::~TGLComponent() {
    // Copy first: a watcher's notification may unregister itself.
    const auto watchers = watchers_;
    for (TGLComponent* w : watchers) {
        eraseOne(w->watched_, this);
        w->notification(this);
    }
    for (TGLComponent* t : watched_)
        eraseOne(t->watchers_, this);
}

void TGLComponent::addFreeNotification(TGLComponent* watcher) {
    if (!watcher || watcher == this) return;
    if (std::find(watchers_.begin(), watchers_.end(), watcher) != watchers_.end()) return;
    watchers_.push_back(watcher);
    watcher->watched_.push_back(this);
}

void TGLComponent::removeFreeNotification(TGLComponent* watcher) {
    if (!watcher) return;
    eraseOne(watchers_, watcher);
    eraseOne(watcher->watched_, this);
}

} // namespace coilrun::engine
