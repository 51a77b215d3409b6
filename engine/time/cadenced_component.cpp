#include "engine/time/cadenced_component.h"

#include "engine/time/cadencer.h"

namespace coilrun::engine {

TGLCadenceAbleComponent::~TGLCadenceAbleComponent() {
    for (auto* cadencer : std::vector<TGLCadencer*>(subscribedTo_))
        cadencer->unSubscribe(*this);
}

TGLCustomCadencedComponent::~TGLCustomCadencedComponent() {
    setCadencer(nullptr);
}

void TGLCustomCadencedComponent::setCadencer(TGLCadencer* cadencer) {
    if (cadencer == cadencer_) return;
    if (cadencer_) cadencer_->unSubscribe(*this);
    cadencer_ = cadencer;
    if (cadencer_) cadencer_->subscribe(*this);
}

void TGLCustomCadencedComponent::cadencerDestroyed(TGLCadencer& cadencer) {
    if (&cadencer == cadencer_) cadencer_ = nullptr;
}

} // namespace coilrun::engine
