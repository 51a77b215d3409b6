// Scenes drawn offscreen at 320 x 240 and probed: each shape must be lit where
// it stands, and only the background may show elsewhere.
#include "engine/hud/hud_sprite.h"
#include "engine/objects/camera.h"
#include "engine/objects/capsule.h"
#include "engine/objects/cube.h"
#include "engine/objects/cylinder.h"
#include "engine/objects/dummy_cube.h"
#include "engine/objects/icosahedron.h"
#include "engine/objects/light_source.h"
#include "engine/objects/plane.h"
#include "engine/objects/scene.h"
#include "engine/objects/sphere.h"
#include "engine/render/scene_viewer.h"
#include "platform/qt/qt_offscreen_gl.h"
#include "tests/sim/sim_clock.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace coilrun::engine {
namespace {

constexpr int W = 320, H = 240;
constexpr std::uint32_t kBackground = 0xff000033; // (0, 0, 0.2)

struct Pixel {
    int x, y;
};

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        viewer.setScene(&scene);
        viewer.setCamera(&camera());
        viewer.backgroundColor().setColor(0, 0, 0.2f, 1);
        if (!gl.makeCurrent()) GTEST_SKIP() << "no OpenGL context";
    }
    void TearDown() override { viewer.releaseOffscreen(gl); }

    TGLCamera& camera() {
        if (!camera_) {
            camera_ = &scene.objects().addNewChild<TGLCamera>();
            camera_->setPosition(0, 0, 10);
        }
        return *camera_;
    }
    TGLLightSource& light(const Vec3& at, const Vec4& diffuse) {
        auto& l = scene.objects().addNewChild<TGLLightSource>();
        l.setPosition(at);
        l.diffuse().setColor(diffuse);
        return l;
    }
    template <class T> T& add(const Vec3& at, const Vec4& colour) {
        auto& o = scene.objects().addNewChild<T>();
        o.setPosition(at);
        o.material().frontProperties().diffuse().setColor(colour);
        return o;
    }
    // Where a scene point lands in the picture (top-down rows).
    Pixel project(const Vec3& p) {
        const Mat4 m = camera().viewMatrix() * camera().projectionMatrix(W, H, viewer.dpi());
        const Vec3 c = m.transformPoint(p);
        const float w = p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3];
        return {int((c.x / w + 1) * 0.5f * W), int((1 - c.y / w) * 0.5f * H)};
    }
    platform::Image render() {
        platform::Image img = viewer.renderToImage(gl, W, H);
        EXPECT_EQ(img.width, W);
        EXPECT_EQ(img.height, H);
        return img;
    }

    sim::SimClock clock;
    TGLScene scene;
    TGLSceneViewer viewer{nullptr, clock};
    qt::QtOffscreenGl gl;

private:
    TGLCamera* camera_ = nullptr;
};

struct Bounds {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    bool empty() const { return right < 0; }
};

// The bounding box of the pixels for which pick holds.
Bounds boundsOf(const platform::Image& img, bool (*pick)(std::uint32_t)) {
    Bounds b;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (pick(img.at(x, y))) {
                b.left = std::min(b.left, x), b.right = std::max(b.right, x);
                b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
            }
    return b;
}

std::string describe(std::uint32_t p) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%d, %d, %d)", platform::red(p), platform::green(p),
                  platform::blue(p));
    return buf;
}

TEST_F(RenderTest, EveryPrimitiveIsLitInItsPlaceAndNothingElseIsDrawn) {
    light({0, 0, 10}, {1, 1, 1, 1});
    struct Expect {
        const char* name;
        Vec3 at;
        int channel; // 0 red, 1 green, 2 blue: the one that must be bright
    };
    const Vec4 red{1, 0, 0, 1}, green{0, 1, 0, 1}, blue{0, 0.3f, 1, 1};
    auto& sphere = add<TGLSphere>({-3, 1.5f, 0}, red);
    auto& cube = add<TGLCube>({-1, 1.5f, 0}, green);
    cube.turn(30);
    auto& cylinder = add<TGLCylinder>({1, 1.5f, 0}, blue);
    auto& capsule = add<TGLCapsule>({3, 1.5f, 0}, red);
    capsule.setRadius(0.4f);
    capsule.setHeight(0.8f);
    capsule.setDirection({1, 0, 0}); // its axis is local Z: lay it across the view
    auto& plane = add<TGLPlane>({-3, -1.5f, 0}, green);
    auto& ico = add<TGLIcosahedron>({-1, -1.5f, 0}, blue);
    ico.setScale({1.5f, 1.5f, 1.5f});
    auto& band = add<TGLSphere>({3, -1.5f, 0}, green);
    band.setTop(40);
    band.setBottom(-40);
    band.setTopCap(TGLCapType::ctFlat);
    band.setBottomCap(TGLCapType::ctCenter);
    auto& dummy = scene.objects().addNewChild<TGLDummyCube>();
    dummy.setPosition(1, -1.5f, 0);
    dummy.setVisibleAtRunTime(true);
    dummy.edgeColor().setColor(1, 1, 0, 1);
    (void)sphere, (void)cylinder, (void)plane;

    const platform::Image img = render();
    ASSERT_FALSE(img.empty());
    const Expect lit[] = {{"sphere", {-3, 1.5f, 0}, 0},  {"cube", {-1, 1.5f, 0}, 1},
                          {"cylinder", {1, 1.5f, 0}, 2}, {"capsule", {3, 1.5f, 0}, 0},
                          {"plane", {-3, -1.5f, 0}, 1},  {"icosahedron", {-1, -1.5f, 0}, 2},
                          {"band", {3, -1.5f, 0}, 1}};
    for (const Expect& e : lit) {
        const Pixel p = project(e.at);
        const std::uint32_t c = img.at(p.x, p.y);
        const int value[3] = {platform::red(c), platform::green(c), platform::blue(c)};
        EXPECT_GT(value[e.channel], 120)
            << e.name << " at " << p.x << "," << p.y << " " << describe(c);
        for (int k = 0; k < 3; ++k) {
            if (k != e.channel && !(e.channel == 2 && k == 1)) {
                EXPECT_LT(value[k], 40) << e.name << " channel " << k << " " << describe(c);
            }
        }
    }

    // The band's cut-off poles: background above and below it.
    const Pixel overBand = project({3, -1.5f + 0.45f, 0});
    EXPECT_EQ(img.at(overBand.x, overBand.y), kBackground)
        << describe(img.at(overBand.x, overBand.y));

    // The dummy shows only its yellow edges: its middle stays background.
    const Pixel mid = project({1, -1.5f, 0});
    EXPECT_EQ(img.at(mid.x, mid.y), kBackground);
    int yellow = 0;
    for (int y = mid.y - 30; y <= mid.y + 30; ++y)
        for (int x = mid.x - 30; x <= mid.x + 30; ++x) {
            const std::uint32_t c = img.at(x, y);
            yellow += platform::red(c) > 200 && platform::green(c) > 200 && platform::blue(c) < 80;
        }
    EXPECT_GT(yellow, 40);

    // Between and around the shapes only background.
    for (const Vec3& gap : {Vec3{-2, 0, 0}, Vec3{0, 0, 0}, Vec3{2, 0, 0}, Vec3{0, 3, 0},
                            Vec3{-4, 0, 0}, Vec3{4, -3, 0}})
        EXPECT_EQ(img.at(project(gap).x, project(gap).y), kBackground)
            << gap.x << "," << gap.y << " " << describe(img.at(project(gap).x, project(gap).y));
    EXPECT_EQ(img.at(0, 0), kBackground);
    EXPECT_EQ(img.at(W - 1, H - 1), kBackground);
}

// On a display scaled by 2 the framebuffer has twice the pixels each way of the surface
// the game lays out in: the 3D picture fills all of them as it fills the unscaled one,
// and the overlay lands where its surface-pixel position says, twice as far and large.
TEST_F(RenderTest, AtPixelRatioTwoTheSceneAndTheOverlayScaleWhole) {
    light({0, 0, 10}, {1, 1, 1, 1});
    add<TGLSphere>({1, 0.5f, 0}, {1, 0, 0, 1});
    auto& sprite = scene.objects().addNewChild<TGLHUDSprite>();
    sprite.material().frontProperties().diffuse().setColor(0, 1, 0, 1);
    sprite.setPosition(40, 30, 0);
    sprite.setWidth(20);
    sprite.setHeight(10);

    const platform::Image one = viewer.renderToImage(gl, platform::FrameSize::unscaled(160, 120));
    const platform::Image two = viewer.renderToImage(gl, {160, 120, 320, 240});
    ASSERT_EQ(one.width, 160);
    ASSERT_EQ(two.width, 320);
    ASSERT_EQ(two.height, 240);
    EXPECT_EQ(viewer.width(), 160) << "the viewer's size is in surface pixels";

    auto red = [](std::uint32_t p) { return platform::red(p) > 100 && platform::green(p) < 60; };
    auto green = [](std::uint32_t p) { return platform::green(p) > 200 && platform::red(p) < 60; };
    const Bounds ball1 = boundsOf(one, red), ball2 = boundsOf(two, red);
    ASSERT_FALSE(ball1.empty());
    ASSERT_FALSE(ball2.empty());
    EXPECT_NEAR(ball2.left, 2 * ball1.left, 2);
    EXPECT_NEAR(ball2.right, 2 * ball1.right + 1, 2);
    EXPECT_NEAR(ball2.top, 2 * ball1.top, 2);
    EXPECT_NEAR(ball2.bottom, 2 * ball1.bottom + 1, 2);

    const Bounds mark1 = boundsOf(one, green), mark2 = boundsOf(two, green);
    EXPECT_EQ(mark1.left, 30);
    EXPECT_EQ(mark1.right, 49);
    EXPECT_EQ(mark1.top, 25);
    EXPECT_EQ(mark1.bottom, 34);
    EXPECT_EQ(mark2.left, 60);
    EXPECT_EQ(mark2.right, 99);
    EXPECT_EQ(mark2.top, 50);
    EXPECT_EQ(mark2.bottom, 69);
}

TEST_F(RenderTest, HiddenSubtreesAndZeroScaleLeaveBackground) {
    light({0, 0, 10}, {1, 1, 1, 1});
    auto& group = scene.objects().addNewChild<TGLDummyCube>();
    auto& inGroup = group.addNewChild<TGLSphere>();
    inGroup.setPosition(-2, 0, 0);
    auto& collapsed = add<TGLSphere>({2, 0, 0}, {1, 1, 1, 1});
    collapsed.setScale({0, 0, 0});
    group.setVisible(false);
    platform::Image img = render();
    EXPECT_EQ(img.at(project({-2, 0, 0}).x, project({-2, 0, 0}).y), kBackground);
    EXPECT_EQ(img.at(project({2, 0, 0}).x, project({2, 0, 0}).y), kBackground);

    group.setVisible(true);
    collapsed.setScale({1, 1, 1});
    img = render();
    EXPECT_NE(img.at(project({-2, 0, 0}).x, project({-2, 0, 0}).y), kBackground);
    EXPECT_NE(img.at(project({2, 0, 0}).x, project({2, 0, 0}).y), kBackground);
}

TEST_F(RenderTest, LightsColourTheSceneAndSwitchOff) {
    auto& l = light({0, 0, 10}, {1, 0, 0, 1});
    add<TGLSphere>({0, 0, 0}, {1, 1, 1, 1}).setRadius(1.5f);
    const Pixel c = project({0, 0, 0});
    std::uint32_t p = render().at(c.x, c.y);
    EXPECT_GT(platform::red(p), 150) << describe(p);
    EXPECT_LT(platform::green(p), 80) << describe(p);

    l.diffuse().setComponent(1, 1); // the game changes single components while running
    p = render().at(c.x, c.y);
    EXPECT_GT(platform::green(p), 150) << describe(p);

    l.setShining(false); // only the global ambient is left
    p = render().at(c.x, c.y);
    EXPECT_LT(platform::red(p), 70) << describe(p);
    EXPECT_NE(p, kBackground);
}

TEST_F(RenderTest, BlendedObjectsMixWithWhatIsBehind) {
    light({0, 0, 10}, {1, 1, 1, 1});
    auto& glass = add<TGLCube>({0, 0, 2}, {0, 0, 1, 0.5f});
    glass.material().setBlendingMode(TGLBlendingMode::bmTransparency);
    glass.setScale({3, 3, 0.2f});
    add<TGLCube>({0, 0, 0}, {1, 0, 0, 1}).setScale({2, 2, 2});
    const Pixel c = project({0, 0, 2});
    const std::uint32_t p = render().at(c.x, c.y);
    // Drawn after the red cube although listed first: both colours show.
    EXPECT_GT(platform::red(p), 60) << describe(p);
    EXPECT_GT(platform::blue(p), 60) << describe(p);
}

TEST_F(RenderTest, DisplayListsAreCompiledOnceAndAgainAfterAShapeChange) {
    light({0, 0, 10}, {1, 1, 1, 1});
    auto& s = add<TGLSphere>({0, 0, 0}, {1, 1, 1, 1});
    add<TGLCylinder>({2, 0, 0}, {1, 1, 1, 1});
    render();
    const auto compiled = viewer.offscreenRenderer().listsCompiled();
    render();
    s.setPosition(-1, 0, 0);
    s.material().frontProperties().diffuse().setGreen(0.5f);
    render();
    EXPECT_EQ(viewer.offscreenRenderer().listsCompiled(),
              compiled); // sphere and cylinder only once...
    s.setRadius(2);
    const platform::Image img = render();
    EXPECT_EQ(viewer.offscreenRenderer().listsCompiled(), compiled + 1); // ...and the sphere again
    // The larger sphere now covers a point the small one did not reach.
    EXPECT_NE(img.at(project({-2.5f, 0, 0}).x, project({-2.5f, 0, 0}).y), kBackground);
}

TEST_F(RenderTest, TexturesOfAnySizeShowWholeAndUpright) {
    auto& plane = add<TGLPlane>({0, 0, 0}, {1, 1, 1, 1});
    plane.setWidth(6);
    plane.setHeight(4);
    plane.material().setMaterialOptions({false, true}); // unlit: the texture's own colours
    // 3 x 2 pixels: top row red, bottom row green; not a power of two.
    platform::Image pic{
        3, 2, {0xffff0000, 0xffff0000, 0xffff0000, 0xff00ff00, 0xff00ff00, 0xff00ff00}};
    auto& tex = plane.material().texture();
    tex.setImage(pic);
    tex.setFilter(TGLTextureFilter::tfNearest);
    tex.setEnabled(true);
    const platform::Image img = render();
    const Pixel top = project({-2.8f, 1.8f, 0}), bottom = project({2.8f, -1.8f, 0});
    EXPECT_EQ(img.at(top.x, top.y), 0xffff0000u) << describe(img.at(top.x, top.y));
    EXPECT_EQ(img.at(bottom.x, bottom.y), 0xff00ff00u) << describe(img.at(bottom.x, bottom.y));
}

} // namespace
} // namespace coilrun::engine

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
