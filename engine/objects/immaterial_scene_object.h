#pragma once
#include "engine/objects/custom_scene_object.h"

namespace coilrun::engine {

// An object drawn without its material (it sets the colours it needs itself).
class TGLImmaterialSceneObject : public TGLCustomSceneObject {
public:
    std::string className() const override { return "TGLImmaterialSceneObject"; }
    bool blended() const override { return false; }
    const TGLMaterial* renderMaterial() const override { return nullptr; }
};

} // namespace coilrun::engine
