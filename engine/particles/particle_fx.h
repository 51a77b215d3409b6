#pragma once
#include "engine/objects/base_scene_object.h"
#include "engine/objects/behaviour.h"

namespace coilrun::engine {

// The scene's particle renderer. The game's only particle source is bound to no
// effect manager, so there is never anything for it to draw.
class TGLParticleFXRenderer : public TGLBaseSceneObject {
public:
    std::string className() const override { return "TGLParticleFXRenderer"; }
};

// A particle source attached to an object (the snake's head). Without a manager
// it emits nothing; it is kept so that the head carries what it was authored with.
class TGLSourcePFXEffect : public TGLEffect {
public:
    std::string className() const override { return "TGLSourcePFXEffect"; }
    void doProgress(const TGLProgressTimes&) override {}
};

} // namespace coilrun::engine
