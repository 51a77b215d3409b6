#pragma once
#include "engine/objects/custom_scene_object.h"

namespace coilrun::engine {

// Base of the visible primitives: they have geometry and draw it in their material.
class TGLSceneObject : public TGLCustomSceneObject {
public:
    std::string className() const override { return "TGLSceneObject"; }
    bool hasGeometry() const override { return true; }
};

} // namespace coilrun::engine
