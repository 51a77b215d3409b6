#pragma once
#include "engine/objects/base_scene_object.h"
#include "engine/objects/material.h"

namespace coilrun::engine {

// A scene object with a material and a hint text.
class TGLCustomSceneObject : public TGLBaseSceneObject {
public:
    TGLCustomSceneObject() : material_(this) {}
    std::string className() const override { return "TGLCustomSceneObject"; }

    TGLMaterial& material() { return material_; }
    const TGLMaterial& material() const { return material_; }
    const std::string& hint() const { return hint_; }
    void setHint(const std::string& hint) { hint_ = hint; }

    bool blended() const override { return material_.blended(); }
    const TGLMaterial* renderMaterial() const override { return &material_; }

private:
    TGLMaterial material_;
    std::string hint_;
};

} // namespace coilrun::engine
