#pragma once
#include "engine/objects/scene_object.h"

namespace coilrun::engine {

// A fixed-size icosahedron (circumradius 0.587785) of 20 flat triangles.
class TGLIcosahedron : public TGLSceneObject {
public:
    std::string className() const override { return "TGLIcosahedron"; }
    void buildList(GeometrySink& sink) override;
};

} // namespace coilrun::engine
