#pragma once
#include "engine/objects/quadric_object.h"

namespace coilrun::engine {

enum class TGLCapType { ctNone, ctCenter, ctFlat };

// A sphere of Radius, optionally cut to a band of latitude (Top..Bottom,
// degrees -90..90) and a wedge of longitude (Start..Stop, degrees 0..360), with
// caps closing a cut band.
class TGLSphere : public TGLQuadricObject {
public:
    std::string className() const override { return "TGLSphere"; }

    float radius() const { return radius_; }
    void setRadius(float r) { setStructural(radius_, r); }
    int slices() const { return slices_; }
    void setSlices(int n) { setStructural(slices_, n); }
    int stacks() const { return stacks_; }
    void setStacks(int n) { setStructural(stacks_, n); }
    // Latitudes are clamped to -90..90, longitudes to 0..360.
    float top() const { return top_; }
    void setTop(float deg);
    float bottom() const { return bottom_; }
    void setBottom(float deg);
    float start() const { return start_; }
    void setStart(float deg);
    float stop() const { return stop_; }
    void setStop(float deg);
    TGLCapType topCap() const { return topCap_; }
    void setTopCap(TGLCapType c) { setStructural(topCap_, c); }
    TGLCapType bottomCap() const { return bottomCap_; }
    void setBottomCap(TGLCapType c) { setStructural(bottomCap_, c); }

    // One triangle strip per stack, longitude Start..Stop in Slices steps; a
    // triangle fan per cap. Nothing for an empty band or wedge.
    void buildList(GeometrySink& sink) override;

private:
    float radius_ = 0.5f;
    int slices_ = 16;
    int stacks_ = 16;
    float top_ = 90, bottom_ = -90;
    float start_ = 0, stop_ = 360;
    TGLCapType topCap_ = TGLCapType::ctNone;
    TGLCapType bottomCap_ = TGLCapType::ctNone;
};

} // namespace coilrun::engine
