#pragma once
#include "engine/objects/camera_invariant_object.h"
#include "engine/objects/color.h"

namespace coilrun::engine {

// An invisible grouping node. With VisibleAtRunTime it shows the edges of a
// cube of CubeSize in EdgeColor; its children are drawn either way.
class TGLDummyCube : public TGLCameraInvariantObject {
public:
    TGLDummyCube() : edgeColor_(this, {1, 1, 1, 1}) {}
    std::string className() const override { return "TGLDummyCube"; }

    float cubeSize() const { return cubeSize_; }
    void setCubeSize(float size) { setStructural(cubeSize_, size); }
    TGLColor& edgeColor() { return edgeColor_; }
    const TGLColor& edgeColor() const { return edgeColor_; }
    bool visibleAtRunTime() const { return visibleAtRunTime_; }
    void setVisibleAtRunTime(bool v) { setStructural(visibleAtRunTime_, v); }
    bool amalgamate() const { return amalgamate_; }
    void setAmalgamate(bool v) { setStructural(amalgamate_, v); }

    bool hasGeometry() const override { return visibleAtRunTime_; }
    bool cachesGeometry() const override { return false; }
    void buildList(GeometrySink& sink) override;

private:
    float cubeSize_ = 1;
    TGLColor edgeColor_;
    bool visibleAtRunTime_ = false;
    bool amalgamate_ = false;
};

} // namespace coilrun::engine
