#include "engine/objects/coordinates.h"

namespace coilrun::engine {

void TGLCoordinates3::setComponent(int index, float value) {
    if (index < 0 || index > 3 || v_[index] == value) return;
    v_[index] = value;
    notify();
}

void TGLCoordinates3::setVector(const Vec3& v) {
    if (v_.xyz() == v) return;
    v_ = Vec4(v, v_.w);
    notify();
}

void TGLCoordinates3::setVector(const Vec4& v) {
    if (v_ == v) return;
    v_ = v;
    notify();
}

} // namespace coilrun::engine
