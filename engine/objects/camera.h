#pragma once
#include "engine/objects/base_scene_object.h"

#include <functional>

namespace coilrun::engine {

enum class TGLCameraStyle {
    csPerspective,
    csOrthogonal,
    csOrtho2D,
    csCustom,
    csInfinitePerspective
};

// The six planes of a frustum or orthographic box, as glFrustum/glOrtho take them.
struct TGLFrustum {
    float left = 0, right = 0, bottom = 0, top = 0, zNear = 0, zFar = 0;
};

// Where the scene is seen from: a look-at from the camera's absolute position
// along its Direction (or at its TargetObject), and a projection from
// FocalLength, DepthOfView, NearPlaneBias and SceneScale.
class TGLCamera : public TGLBaseSceneObject {
public:
    TGLCamera();
    ~TGLCamera() override;
    std::string className() const override { return "TGLCamera"; }

    // [50] millimetres of a 35 mm lens: larger narrows the view. A value of 0 or
    // less becomes 1.
    float focalLength() const { return focalLength_; }
    void setFocalLength(float v);
    // [100] distance from the near to the far plane; values of 0 or less are ignored.
    float depthOfView() const { return depthOfView_; }
    void setDepthOfView(float v);
    // [1] scales the near plane; values of 0 or less are ignored (no near plane).
    float nearPlaneBias() const { return nearPlaneBias_; }
    void setNearPlaneBias(float v);
    // [1] larger enlarges the picture. Exactly 0 becomes 1.
    float sceneScale() const { return sceneScale_; }
    void setSceneScale(float v);
    TGLCameraStyle cameraStyle() const { return cameraStyle_; }
    void setCameraStyle(TGLCameraStyle s) { setAndRedraw(cameraStyle_, s); }
    // The object looked at (none by default); cleared when it is destroyed.
    TGLBaseSceneObject* targetObject() const { return target_; }
    void setTargetObject(TGLBaseSceneObject* target);
    // For csCustom: returns the projection matrix for a viewport (row vectors).
    std::function<Mat4(int width, int height)> onCustomPerspective;

    // The perspective frustum for a viewport of width x height pixels made for dpi.
    TGLFrustum frustum(int width, int height, float dpi) const;
    // Projection matrix (row vectors, loadable as a GL matrix) for the camera style.
    Mat4 projectionMatrix(int width, int height, float dpi) const;
    // Eye, centre and up of the look-at, in scene coordinates.
    void lookAt(Vec3& eye, Vec3& centre, Vec3& up) const;
    Mat4 viewMatrix() const;

protected:
    void notification(TGLComponent* removed) override;

private:
    float focalLength_ = 50;
    float depthOfView_ = 100;
    float nearPlaneBias_ = 1;
    float sceneScale_ = 1;
    TGLCameraStyle cameraStyle_ = TGLCameraStyle::csPerspective;
    TGLBaseSceneObject* target_ = nullptr;
};

} // namespace coilrun::engine
