#pragma once
#include "engine/objects/cylinder.h"
#include "engine/objects/scene_object.h"

namespace coilrun::engine {

// A cylinder of Radius and Height along the local Z axis closed by two
// hemispheres. Slices x Stacks segments go round the axis.
class TGLCapsule : public TGLSceneObject {
public:
    std::string className() const override { return "TGLCapsule"; }

    float radius() const { return radius_; }
    void setRadius(float r) { setStructural(radius_, r); }
    float height() const { return height_; }
    void setHeight(float h) { setStructural(height_, h); }
    int slices() const { return slices_; }
    void setSlices(int n) { setStructural(slices_, n); }
    int stacks() const { return stacks_; }
    void setStacks(int n) { setStructural(stacks_, n); }
    const TGLCylinderParts& parts() const { return parts_; }
    void setParts(const TGLCylinderParts& p) { setStructural(parts_, p); }
    // caTop puts the tip of the +Z end at the origin, caBottom that of the -Z end.
    TGLCylinderAlignment alignment() const { return alignment_; }
    void setAlignment(TGLCylinderAlignment a) { setStructural(alignment_, a); }

    // The side strip (cySides), then the +Z hemisphere (cyTop), then the -Z one (cyBottom).
    void buildList(GeometrySink& sink) override;

private:
    float radius_ = 0.5f;
    float height_ = 1;
    int slices_ = 4;
    int stacks_ = 4;
    TGLCylinderParts parts_;
    TGLCylinderAlignment alignment_ = TGLCylinderAlignment::caCenter;
};

} // namespace coilrun::engine
