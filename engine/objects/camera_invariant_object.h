#pragma once
#include "engine/objects/immaterial_scene_object.h"

namespace coilrun::engine {

enum class TGLCameraInvarianceMode { cimNone, cimPosition, cimOrientation };

// An object that can ignore the camera's position (it stays around the eye)
// or its orientation (it keeps facing the screen).
class TGLCameraInvariantObject : public TGLImmaterialSceneObject {
public:
    std::string className() const override { return "TGLCameraInvariantObject"; }

    TGLCameraInvarianceMode camInvarianceMode() const { return mode_; }
    void setCamInvarianceMode(TGLCameraInvarianceMode mode);

    void doRender(RenderContext& ctx, bool renderSelf, bool renderChildren) override;

private:
    TGLCameraInvarianceMode mode_ = TGLCameraInvarianceMode::cimNone;
};

} // namespace coilrun::engine
