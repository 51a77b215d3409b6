// The order in which the tree is drawn, checked with a backend that records
// what it is asked to draw instead of calling GL.
#include "engine/objects/cube.h"
#include "engine/objects/dummy_cube.h"
#include "engine/objects/scene.h"
#include "engine/objects/sphere.h"
#include "engine/render/mesh_recorder.h"
#include "engine/render/render_context.h"

#include <gtest/gtest.h>

namespace coilrun::engine {
namespace {

class RecordingBackend : public RenderBackend {
public:
    std::vector<std::string> drawn;
    std::vector<bool> depthWhenDrawn;
    int depth = 0, maxDepth = 0;
    bool pixelSpace = false;
    MeshRecorder sink;

    void pushMatrix() override { maxDepth = std::max(maxDepth, ++depth); }
    void popMatrix() override { --depth; }
    void multMatrix(const Mat4&) override {}
    void loadMatrix(const Mat4&) override {}
    void translate(const Vec3&) override {}
    void setDepthTest(bool on) override { depthTest_ = on; }
    bool depthTest() const override { return depthTest_; }
    void drawObject(TGLBaseSceneObject& o) override {
        drawn.push_back((pixelSpace ? "2d:" : "") + o.name());
        depthWhenDrawn.push_back(depthTest_);
    }
    void drawAxes(float) override {}
    void applyMaterial(const TGLMaterial&) override {}
    void releaseMaterial(const TGLMaterial&) override {}
    GeometrySink& immediate() override { return sink; }
    void beginPixelSpace(int, int) override { pixelSpace = true; }
    void endPixelSpace() override { pixelSpace = false; }

private:
    bool depthTest_ = true;
};

class Overlay : public TGLSphere {
public:
    bool drawsInOverlayPass() const override { return true; }
};

TGLSphere& addSphere(TGLBaseSceneObject& parent, const std::string& name, float z,
                     bool blended = false) {
    auto& s = parent.addNewChild<TGLSphere>();
    s.setName(name);
    s.setPosition(0, 0, z);
    if (blended) s.material().setBlendingMode(TGLBlendingMode::bmTransparency);
    return s;
}

std::vector<std::string> draw(TGLScene& scene, RecordingBackend& backend) {
    RenderContext ctx(backend);
    ctx.cameraPosition = {0, 0, 0};
    ctx.renderScene(scene.objects());
    EXPECT_EQ(backend.depth, 0);
    return backend.drawn;
}

using Names = std::vector<std::string>;

TEST(DrawingOrder, BlendedLastFarthestFirst) {
    TGLScene scene;
    addSphere(scene.objects(), "nearGlass", -2, true);
    addSphere(scene.objects(), "opaqueA", -1);
    addSphere(scene.objects(), "farGlass", -9, true);
    addSphere(scene.objects(), "midGlass", -5, true);
    auto& alphaTest = addSphere(scene.objects(), "alphaTested", -20);
    alphaTest.material().setBlendingMode(TGLBlendingMode::bmAlphaTest50); // counts as opaque
    addSphere(scene.objects(), "opaqueB", -30);
    RecordingBackend b;
    EXPECT_EQ(draw(scene, b),
              (Names{"opaqueA", "alphaTested", "opaqueB", "farGlass", "midGlass", "nearGlass"}));
}

TEST(DrawingOrder, OtherSortingsAndInheritance) {
    TGLScene scene;
    auto& group = scene.objects().addNewChild<TGLDummyCube>();
    addSphere(group, "a", -3);
    addSphere(group, "b", -1, true);
    addSphere(group, "c", -7);

    group.setObjectsSorting(TGLObjectsSorting::osRenderFarthestFirst);
    RecordingBackend farFirst;
    EXPECT_EQ(draw(scene, farFirst), (Names{"c", "a", "b"}));

    group.setObjectsSorting(TGLObjectsSorting::osRenderNearestFirst);
    RecordingBackend nearFirst;
    EXPECT_EQ(draw(scene, nearFirst), (Names{"b", "a", "c"}));

    group.setObjectsSorting(TGLObjectsSorting::osNone);
    RecordingBackend none;
    EXPECT_EQ(draw(scene, none), (Names{"a", "b", "c"}));

    // Inherited: the scene's osRenderBlendedLast.
    group.setObjectsSorting(TGLObjectsSorting::osInherited);
    RecordingBackend inherited;
    EXPECT_EQ(draw(scene, inherited), (Names{"a", "c", "b"}));
}

TEST(DrawingOrder, HiddenSubtreesAreSkippedAndComeBackAsTheyWere) {
    TGLScene scene;
    auto& group = scene.objects().addNewChild<TGLDummyCube>();
    auto& inner = addSphere(group, "inner", 0);
    addSphere(inner, "leaf", 0);
    auto& hiddenLeaf = addSphere(inner, "hiddenLeaf", 0);
    hiddenLeaf.setVisible(false);
    addSphere(scene.objects(), "outside", 0);

    group.setVisible(false);
    RecordingBackend hidden;
    EXPECT_EQ(draw(scene, hidden), (Names{"outside"}));

    group.setVisible(true);
    RecordingBackend shown;
    EXPECT_EQ(draw(scene, shown), (Names{"inner", "leaf", "outside"}));
    EXPECT_EQ(shown.maxDepth, 3); // group, inner, leaf each push the matrix
}

TEST(DrawingOrder, OverlayObjectsComeAfterThe3DPassInPixelSpace) {
    TGLScene scene;
    auto& hud = scene.objects().addNewChild<Overlay>();
    hud.setName("hud");
    addSphere(hud, "hudChild", 0);
    addSphere(scene.objects(), "ball", -3);
    auto& noDepth = addSphere(scene.objects(), "noDepth", -4);
    noDepth.setIgnoreDepthBuffer(true);
    RecordingBackend b;
    EXPECT_EQ(draw(scene, b), (Names{"ball", "noDepth", "2d:hud", "2d:hudChild"}));
    EXPECT_EQ(b.depthWhenDrawn, (std::vector<bool>{true, false, true, true}));
    EXPECT_TRUE(b.depthTest());
}

} // namespace
} // namespace coilrun::engine
