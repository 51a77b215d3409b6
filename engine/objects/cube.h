#pragma once
#include "engine/objects/quadric_object.h"
#include "engine/objects/scene_object.h"

namespace coilrun::engine {

struct TGLCubeParts {
    bool cpTop = true;
    bool cpBottom = true;
    bool cpFront = true;
    bool cpBack = true;
    bool cpLeft = true;
    bool cpRight = true;
    bool operator==(const TGLCubeParts&) const = default;
};

// A box centred on the origin, one textured quad per part.
class TGLCube : public TGLSceneObject {
public:
    std::string className() const override { return "TGLCube"; }

    float cubeWidth() const { return width_; }
    void setCubeWidth(float v) { setStructural(width_, v); }
    float cubeHeight() const { return height_; }
    void setCubeHeight(float v) { setStructural(height_, v); }
    float cubeDepth() const { return depth_; }
    void setCubeDepth(float v) { setStructural(depth_, v); }
    const TGLCubeParts& parts() const { return parts_; }
    void setParts(const TGLCubeParts& p) { setStructural(parts_, p); }
    TGLNormalDirection normalDirection() const { return normalDirection_; }
    void setNormalDirection(TGLNormalDirection d) { setStructural(normalDirection_, d); }

    // Quads in the order front (+Z), back, left (-X), right, top (+Y), bottom.
    void buildList(GeometrySink& sink) override;

private:
    float width_ = 1, height_ = 1, depth_ = 1;
    TGLCubeParts parts_;
    TGLNormalDirection normalDirection_ = TGLNormalDirection::ndOutside;
};

} // namespace coilrun::engine
