#pragma once
#include "engine/objects/quadric_object.h"

namespace coilrun::engine {

struct TGLCylinderParts {
    bool cySides = true;
    bool cyBottom = true;
    bool cyTop = true;
    bool operator==(const TGLCylinderParts&) const = default;
};

// Where the shape sits on its axis: centred on the origin, its top at the
// origin, or its bottom at the origin.
enum class TGLCylinderAlignment { caCenter, caTop, caBottom };

// What cylinder-like quadrics share: bottom radius, height and tessellation.
class TGLCylinderBase : public TGLQuadricObject {
public:
    std::string className() const override { return "TGLCylinderBase"; }

    float bottomRadius() const { return bottomRadius_; }
    void setBottomRadius(float r) { setStructural(bottomRadius_, r); }
    float height() const { return height_; }
    void setHeight(float h) { setStructural(height_, h); }
    int slices() const { return slices_; }
    void setSlices(int n) { setStructural(slices_, n); }
    int stacks() const { return stacks_; }
    void setStacks(int n) { setStructural(stacks_, n); }
    int loops() const { return loops_; }
    void setLoops(int n) { setStructural(loops_, n); }

private:
    float bottomRadius_ = 0.5f;
    float height_ = 1;
    int slices_ = 16;
    int stacks_ = 4;
    int loops_ = 1;
};

// A GLU cylinder (or cone) along local +Y, with its end discs.
class TGLCylinder : public TGLCylinderBase {
public:
    std::string className() const override { return "TGLCylinder"; }

    float topRadius() const { return topRadius_; }
    void setTopRadius(float r) { setStructural(topRadius_, r); }
    const TGLCylinderParts& parts() const { return parts_; }
    void setParts(const TGLCylinderParts& p) { setStructural(parts_, p); }
    TGLCylinderAlignment alignment() const { return alignment_; }
    void setAlignment(TGLCylinderAlignment a) { setStructural(alignment_, a); }

    void buildList(GeometrySink& sink) override;

private:
    float topRadius_ = 0.5f;
    TGLCylinderParts parts_;
    TGLCylinderAlignment alignment_ = TGLCylinderAlignment::caCenter;
};

} // namespace coilrun::engine
