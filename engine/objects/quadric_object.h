#pragma once
#include "engine/objects/scene_object.h"
#include "engine/render/geometry_sink.h"

namespace coilrun::engine {

enum class TGLNormalSmoothing { nsFlat, nsSmooth, nsNone };
enum class TGLNormalDirection { ndInside, ndOutside };

// A shape generated like a GLU quadric: with smooth, flat or no normals,
// facing outwards or inwards.
class TGLQuadricObject : public TGLSceneObject {
public:
    std::string className() const override { return "TGLQuadricObject"; }

    TGLNormalSmoothing normals() const { return normals_; }
    void setNormals(TGLNormalSmoothing n) { setStructural(normals_, n); }
    TGLNormalDirection normalDirection() const { return normalDirection_; }
    void setNormalDirection(TGLNormalDirection d) { setStructural(normalDirection_, d); }

    QuadricStyle quadricStyle() const {
        QuadricStyle s;
        s.normals = normals_ == TGLNormalSmoothing::nsSmooth ? QuadricNormals::smooth
                    : normals_ == TGLNormalSmoothing::nsFlat ? QuadricNormals::flat
                                                             : QuadricNormals::none;
        s.inside = normalDirection_ == TGLNormalDirection::ndInside;
        s.texture = true;
        return s;
    }

private:
    TGLNormalSmoothing normals_ = TGLNormalSmoothing::nsSmooth;
    TGLNormalDirection normalDirection_ = TGLNormalDirection::ndOutside;
};

} // namespace coilrun::engine
