#include "engine/objects/camera.h"

#include <algorithm>

namespace coilrun::engine {

TGLCamera::TGLCamera() {
    direction().setDirect(Vec4{0, 0, -1, 0});
}

TGLCamera::~TGLCamera() {
    setTargetObject(nullptr);
}

void TGLCamera::setFocalLength(float v) {
    setAndRedraw(focalLength_, v <= 0 ? 1.0f : v);
}

void TGLCamera::setDepthOfView(float v) {
    if (v > 0) setAndRedraw(depthOfView_, v);
}

void TGLCamera::setNearPlaneBias(float v) {
    if (v > 0) setAndRedraw(nearPlaneBias_, v);
}

void TGLCamera::setSceneScale(float v) {
    setAndRedraw(sceneScale_, v == 0 ? 1.0f : v);
}

void TGLCamera::setTargetObject(TGLBaseSceneObject* target) {
    if (target_ == target) return;
    if (target_) target_->removeFreeNotification(this);
    target_ = target;
    if (target_) target_->addFreeNotification(this);
    notifyRedraw();
}

void TGLCamera::notification(TGLComponent* removed) {
    if (removed == target_) {
        target_ = nullptr;
        notifyRedraw();
    }
    TGLBaseSceneObject::notification(removed);
}

TGLFrustum TGLCamera::frustum(int width, int height, float dpi) const {
    TGLFrustum f;
    const float w = float(std::max(width, 1)), h = float(std::max(height, 1));
    const float m = std::max(w, h);
    f.zNear = focalLength_ * 2 * dpi / (m * 25.4f) * nearPlaneBias_;
    f.zFar = f.zNear + depthOfView_;
    f.right = w / (2 * m) * nearPlaneBias_ / sceneScale_;
    f.left = -f.right;
    f.top = h / (2 * m) * nearPlaneBias_ / sceneScale_;
    f.bottom = -f.top;
    return f;
}

namespace {
Mat4 frustumMatrix(const TGLFrustum& f, bool infinite) {
    const float n = f.zNear, fa = f.zFar;
    Mat4 r;
    r.m[0][0] = 2 * n / (f.right - f.left);
    r.m[1][1] = 2 * n / (f.top - f.bottom);
    r.m[2][0] = (f.right + f.left) / (f.right - f.left);
    r.m[2][1] = (f.top + f.bottom) / (f.top - f.bottom);
    r.m[2][3] = -1;
    if (infinite) {
        r.m[2][2] = -1;
        r.m[3][2] = -2 * n;
    } else {
        r.m[2][2] = -(fa + n) / (fa - n);
        r.m[3][2] = -2 * fa * n / (fa - n);
    }
    return r;
}

Mat4 orthoMatrix(float l, float r, float b, float t, float n, float f) {
    Mat4 m = Mat4::identity();
    m.m[0][0] = 2 / (r - l);
    m.m[1][1] = 2 / (t - b);
    m.m[2][2] = -2 / (f - n);
    m.m[3] = {-(r + l) / (r - l), -(t + b) / (t - b), -(f + n) / (f - n), 1};
    return m;
}
} // namespace

Mat4 TGLCamera::projectionMatrix(int width, int height, float dpi) const {
    const TGLFrustum f = frustum(width, height, dpi);
    switch (cameraStyle_) {
    case TGLCameraStyle::csPerspective:
        return frustumMatrix(f, false);
    case TGLCameraStyle::csInfinitePerspective:
        return frustumMatrix(f, true);
    case TGLCameraStyle::csOrthogonal: {
        // The box the perspective view has at distance 1 from the eye.
        const float k = 1 / f.zNear;
        return orthoMatrix(f.left * k, f.right * k, f.bottom * k, f.top * k, f.zNear, f.zFar);
    }
    case TGLCameraStyle::csOrtho2D:
        return orthoMatrix(0, float(width), 0, float(height), -1, 1);
    case TGLCameraStyle::csCustom:
        return onCustomPerspective ? onCustomPerspective(width, height) : Mat4::identity();
    }
    return frustumMatrix(f, false);
}

void TGLCamera::lookAt(Vec3& eye, Vec3& centre, Vec3& upOut) const {
    eye = absolutePosition();
    const TGLBaseSceneObject* p = parent();
    const bool hasFrame = p && !p->isSceneRoot();
    const Vec3 u = up().asAffine();
    upOut = hasFrame ? p->absoluteMatrix().transformVector(u) : u;
    if (target_) {
        centre = target_->absolutePosition();
    } else {
        const Vec3 d = direction().asAffine();
        centre = eye + (hasFrame ? p->absoluteMatrix().transformVector(d) : d);
    }
}

Mat4 TGLCamera::viewMatrix() const {
    Vec3 eye, centre, u;
    lookAt(eye, centre, u);
    return lookAtMatrix(eye, centre, u);
}

} // namespace coilrun::engine
