#pragma once
#include "engine/objects/component.h"
#include "engine/objects/vector_math.h"

namespace coilrun::engine {

// Four singles X, Y, Z, W owned by a scene object (or a light, a library
// material): a point has W = 1, a vector W = 0. Every store notifies the owner,
// which decides what the change means (stale matrix, re-orthonormalised frame).
// Storing the value already held does nothing, so the game may set coordinates
// every frame for free.
class TGLCoordinates3 {
public:
    TGLCoordinates3(UpdateOwner* owner, const Vec4& initial) : owner_(owner), v_(initial) {}
    TGLCoordinates3(const TGLCoordinates3&) = delete;
    TGLCoordinates3& operator=(const TGLCoordinates3&) = delete;

    float x() const { return v_.x; }
    float y() const { return v_.y; }
    float z() const { return v_.z; }
    float w() const { return v_.w; }
    float operator[](int i) const { return v_[i]; }
    const Vec4& asVector() const { return v_; }
    Vec3 asAffine() const { return v_.xyz(); }

    void setX(float v) { setComponent(0, v); }
    void setY(float v) { setComponent(1, v); }
    void setZ(float v) { setComponent(2, v); }
    void setW(float v) { setComponent(3, v); }
    // index 0..3 = X, Y, Z, W; other indices are ignored.
    void setComponent(int index, float value);
    // Sets X, Y, Z at once with one notification; W is kept.
    void setVector(const Vec3& v);
    void setVector(float x, float y, float z) { setVector(Vec3{x, y, z}); }
    void setVector(const Vec4& v);
    // Copies all four components of another coordinate.
    void assign(const TGLCoordinates3& other) { setVector(other.v_); }

    // Stores without notifying: for the owner's own corrections.
    void setDirect(const Vec4& v) { v_ = v; }
    void setDirect(const Vec3& v) { v_ = Vec4(v, v_.w); }

private:
    void notify() {
        if (owner_) owner_->notifyChange(this);
    }

    UpdateOwner* owner_;
    Vec4 v_;
};

} // namespace coilrun::engine
