#include "engine/objects/camera_invariant_object.h"

#include "engine/render/render_context.h"

namespace coilrun::engine {

void TGLCameraInvariantObject::setCamInvarianceMode(TGLCameraInvarianceMode mode) {
    if (mode_ == mode) return;
    mode_ = mode;
    notifyRedraw();
}

void TGLCameraInvariantObject::doRender(RenderContext& ctx, bool renderSelf, bool renderChildren) {
    if (mode_ == TGLCameraInvarianceMode::cimNone || ctx.overlayPass()) {
        TGLBaseSceneObject::doRender(ctx, renderSelf, renderChildren);
        return;
    }
    // The local matrix is already applied; replace the whole modelview instead.
    RenderBackend& b = ctx.backend();
    b.pushMatrix();
    if (mode_ == TGLCameraInvarianceMode::cimPosition) {
        // Orientation from the tree, origin at the eye.
        Mat4 m = absoluteMatrix();
        m.m[3] = {ctx.cameraPosition.x, ctx.cameraPosition.y, ctx.cameraPosition.z, 1};
        b.loadMatrix(m * ctx.viewMatrix);
    } else {
        // Where the tree puts it, but square to the screen (scale kept).
        const Mat4& abs = absoluteMatrix();
        const Vec3 eyePos = ctx.viewMatrix.transformPoint(abs.row3(3));
        Mat4 m = Mat4::scaling({scale().x(), scale().y(), scale().z()});
        m.m[3] = {eyePos.x, eyePos.y, eyePos.z, 1};
        b.loadMatrix(m);
    }
    TGLBaseSceneObject::doRender(ctx, renderSelf, renderChildren);
    b.popMatrix();
}

} // namespace coilrun::engine
