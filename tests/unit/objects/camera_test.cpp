// The camera's projection and look-at, the light's accepted values and the
// viewer's field of view.
#include "engine/objects/camera.h"
#include "engine/objects/dummy_cube.h"
#include "engine/objects/light_source.h"
#include "engine/objects/scene.h"
#include "engine/render/scene_viewer.h"
#include "test_support.h"
#include "tests/sim/sim_clock.h"
#include "tests/sim/sim_services.h"

namespace coilrun::engine {
namespace {

using test::expectNear;

TEST(Camera, FrustumFollowsFocalLengthDepthBiasAndScale) {
    TGLCamera cam;
    EXPECT_FLOAT_EQ(cam.focalLength(), 50);
    expectNear(cam.direction().asAffine(), {0, 0, -1});
    // 928 x 514 at 96 dpi: near = 50 * 2 * 96 / (928 * 25.4).
    TGLFrustum f = cam.frustum(928, 514, 96);
    const float nearPlane = 50.0f * 2 * 96 / (928 * 25.4f);
    EXPECT_NEAR(f.zNear, nearPlane, 1e-6f);
    EXPECT_NEAR(f.zFar, nearPlane + 100, 1e-4f);
    EXPECT_NEAR(f.right, 0.5f, 1e-6f);
    EXPECT_NEAR(f.top, 514.0f / (2 * 928), 1e-6f);
    EXPECT_FLOAT_EQ(f.left, -f.right);
    EXPECT_FLOAT_EQ(f.bottom, -f.top);

    cam.setNearPlaneBias(2);
    cam.setSceneScale(4);
    cam.setDepthOfView(300);
    f = cam.frustum(928, 514, 96);
    EXPECT_NEAR(f.zNear, nearPlane * 2, 1e-6f);
    EXPECT_NEAR(f.zFar, nearPlane * 2 + 300, 1e-4f);
    EXPECT_NEAR(f.right, 0.5f * 2 / 4, 1e-6f);

    // A portrait viewport: the larger side is the height now.
    cam.setNearPlaneBias(1);
    cam.setSceneScale(1);
    f = cam.frustum(240, 320, 96);
    EXPECT_NEAR(f.top, 0.5f, 1e-6f);
    EXPECT_NEAR(f.right, 240.0f / 640, 1e-6f);
}

TEST(Camera, FocalLengthAndSceneScaleClamps) {
    TGLCamera cam;
    cam.setFocalLength(0);
    EXPECT_FLOAT_EQ(cam.focalLength(), 1);
    cam.setFocalLength(-20);
    EXPECT_FLOAT_EQ(cam.focalLength(), 1);
    cam.setSceneScale(0);
    EXPECT_FLOAT_EQ(cam.sceneScale(), 1);
    cam.setSceneScale(-2); // only exactly 0 is replaced
    EXPECT_FLOAT_EQ(cam.sceneScale(), -2);
    // Values that would leave no valid frustum are ignored.
    cam.setNearPlaneBias(0);
    cam.setDepthOfView(-1);
    EXPECT_FLOAT_EQ(cam.nearPlaneBias(), 1);
    EXPECT_FLOAT_EQ(cam.depthOfView(), 100);
}

TEST(Camera, ProjectionMatrixMapsTheFrustumCorners) {
    TGLCamera cam;
    const TGLFrustum f = cam.frustum(320, 240, 96);
    const Mat4 p = cam.projectionMatrix(320, 240, 96);
    auto ndc = [&](const Vec3& v) {
        const float w = v.x * p.m[0][3] + v.y * p.m[1][3] + v.z * p.m[2][3] + p.m[3][3];
        return p.transformPoint(v) * (1 / w);
    };
    expectNear(ndc({f.right, f.top, -f.zNear}), {1, 1, -1}, 1e-4f);
    expectNear(ndc({f.left * f.zFar / f.zNear, f.bottom * f.zFar / f.zNear, -f.zFar}), {-1, -1, 1},
               1e-3f);
}

TEST(Camera, LookAtAlongDirectionThroughTheParentOrAtATarget) {
    TGLScene scene;
    auto& rig = scene.objects().addNewChild<TGLDummyCube>();
    rig.turn(90); // local +Z now world +X
    auto& cam = rig.addNewChild<TGLCamera>();
    cam.setPosition(0, 0, 17);
    Vec3 eye, centre, up;
    cam.lookAt(eye, centre, up);
    expectNear(eye, {17, 0, 0}, 1e-4f);
    expectNear(centre - eye, {-1, 0, 0}, 1e-4f); // Direction (0,0,-1) through the rig
    expectNear(up, {0, 1, 0}, 1e-5f);
    // The view matrix puts the eye at the origin looking down -Z.
    const Mat4 v = cam.viewMatrix();
    expectNear(v.transformPoint(eye), {0, 0, 0}, 1e-4f);
    expectNear(v.transformPoint({0, 0, 0}), {0, 0, -17}, 1e-4f);

    auto& target = scene.objects().addNewChild<TGLDummyCube>();
    target.setPosition(17, 5, 0);
    cam.setTargetObject(&target);
    cam.lookAt(eye, centre, up);
    expectNear(centre, {17, 5, 0});
}

TEST(Light, SpotCutOffAcceptsOnlyConesAndNone) {
    TGLLightSource l;
    EXPECT_FLOAT_EQ(l.spotCutOff(), 180);
    EXPECT_EQ(l.lightStyle(), TGLLightStyle::lsSpot);
    EXPECT_EQ(l.diffuse().color(), (Vec4{1, 1, 1, 1}));
    EXPECT_EQ(l.ambient().color(), (Vec4{0, 0, 0, 1}));
    l.setSpotCutOff(45);
    EXPECT_FLOAT_EQ(l.spotCutOff(), 45);
    for (float bad : {-1.0f, 90.5f, 179.0f, 200.0f})
        l.setSpotCutOff(bad);
    EXPECT_FLOAT_EQ(l.spotCutOff(), 45);
    l.setSpotCutOff(0);
    EXPECT_FLOAT_EQ(l.spotCutOff(), 0);
    l.setSpotCutOff(180);
    EXPECT_FLOAT_EQ(l.spotCutOff(), 180);
}

TEST(Viewer, FieldOfViewConvertsToFocalLengthOnceTheSizeIsKnown) {
    sim::SimClock clock;
    TGLScene scene;
    auto& cam = scene.objects().addNewChild<TGLCamera>();
    TGLSceneViewer viewer(nullptr, clock);
    viewer.setScene(&scene);
    viewer.setCamera(&cam);
    viewer.setFieldOfView(156.2712f);
    EXPECT_FLOAT_EQ(cam.focalLength(), 50); // no size yet: waits
    EXPECT_FLOAT_EQ(viewer.fieldOfView(), 156.2712f);
    viewer.resize(928, 514);
    const float expected = 514 / (2 * std::tan(156.2712f / 2 * kDegToRad));
    EXPECT_NEAR(cam.focalLength(), expected, 1e-3f);
    EXPECT_NEAR(viewer.fieldOfView(), 156.2712f, 1e-2f);
}

TEST(Viewer, TheViewIsLaidOutInSurfacePixelsAtAnyPixelRatio) {
    // The surface reports paints and the pointer in its own pixels; the framebuffer has
    // twice as many each way on a display scaled by 2. The camera must see the same.
    sim::SimClock clock;
    TGLScene scene;
    auto& cam = scene.objects().addNewChild<TGLCamera>();
    sim::SimGlSurface surface;
    surface.setGeometry({0, 0, 400, 200});
    TGLSceneViewer viewer(&surface, clock);
    viewer.setCamera(&cam);
    viewer.setFieldOfView(90);
    const float unscaled = cam.focalLength();
    EXPECT_NEAR(unscaled, 100, 1e-3f); // 200 / (2 tan 45)
    ASSERT_TRUE(surface.onPaint);
    surface.onPaint({400, 200, 800, 400});
    EXPECT_EQ(viewer.width(), 400);
    EXPECT_EQ(viewer.height(), 200);
    EXPECT_EQ(viewer.frameSize(), (platform::FrameSize{400, 200, 800, 400}));
    viewer.setFieldOfView(90);
    EXPECT_NEAR(cam.focalLength(), unscaled, 1e-3f);
    EXPECT_NEAR(viewer.fieldOfView(), 90, 1e-3f);
}

TEST(Viewer, FramesPerSecondCountsFramesOverClockTime) {
    sim::SimClock clock;
    TGLSceneViewer viewer(nullptr, clock);
    EXPECT_DOUBLE_EQ(viewer.framesPerSecond(), 0);
    for (int i = 0; i < 30; ++i)
        viewer.render(0, 0);
    clock.advance(0.5);
    EXPECT_NEAR(viewer.framesPerSecond(), 60, 1e-9);
    viewer.resetPerformanceMonitor();
    EXPECT_EQ(viewer.framesRendered(), 0u);
    clock.advance(1);
    EXPECT_DOUBLE_EQ(viewer.framesPerSecond(), 0);
}

} // namespace
} // namespace coilrun::engine
