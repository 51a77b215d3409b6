// Ownership, lookup and progress of the scene tree.
#include "engine/objects/camera.h"
#include "engine/objects/cube.h"
#include "engine/objects/dummy_cube.h"
#include "engine/objects/scene.h"
#include "engine/objects/sphere.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace coilrun::engine {
namespace {

class CountingBehaviour : public TGLBehaviour {
public:
    explicit CountingBehaviour(int& ticks, bool spawn = false) : ticks_(ticks), spawn_(spawn) {}
    std::string className() const override { return "CountingBehaviour"; }
    void doProgress(const TGLProgressTimes&) override {
        ++ticks_;
        // Sound emitters are attached from inside a tick: the list grows under us.
        if (spawn_) {
            spawn_ = false;
            owner()->addBehaviour(std::make_unique<CountingBehaviour>(ticks_));
        }
    }

private:
    int& ticks_;
    bool spawn_;
};

TEST(Tree, FindsObjectsByNameDepthFirstAndKnowsTheirClass) {
    TGLScene scene;
    auto& dummy = scene.objects().addNewChild<TGLDummyCube>();
    dummy.setName("Dummy1");
    auto& snake = dummy.addNewChild<TGLDummyCube>();
    snake.setName("Snake");
    auto& head = snake.addNewChild<TGLSphere>();
    head.setName("snake0");
    auto& cube = scene.objects().addNewChild<TGLCube>();
    cube.setName("skyline");

    EXPECT_EQ(scene.findSceneObject("snake0"), &head);
    EXPECT_EQ(scene.findSceneObjectAs<TGLSphere>("snake0"), &head);
    EXPECT_EQ(scene.findSceneObjectAs<TGLCube>("snake0"), nullptr);
    EXPECT_EQ(dummy.findChild("snake0", true), nullptr);
    EXPECT_EQ(dummy.findChild("snake0"), &head);
    EXPECT_EQ(scene.findSceneObject("nothing"), nullptr);
    EXPECT_EQ(head.className(), "TGLSphere");
    EXPECT_EQ(snake.className(), "TGLDummyCube");
    EXPECT_EQ(head.scene(), &scene);
    EXPECT_EQ(head.parent(), &snake);
}

TEST(Tree, RefusesToContainItself) {
    TGLScene scene;
    auto& a = scene.objects().addNewChild<TGLDummyCube>();
    auto& b = a.addNewChild<TGLDummyCube>();
    std::unique_ptr<TGLBaseSceneObject> owned = scene.objects().removeChild(a);
    // b is a's child: making a a child of b would make a loop.
    EXPECT_THROW(b.addChild(std::move(owned)), std::invalid_argument);
    EXPECT_THROW(scene.objects().addChild(nullptr), std::invalid_argument);
}

TEST(Tree, LinksToADestroyedObjectAreCleared) {
    TGLScene scene;
    auto& camera = scene.objects().addNewChild<TGLCamera>();
    auto& target = scene.objects().addNewChild<TGLSphere>();
    target.setPosition(0, 0, -5);
    camera.setTargetObject(&target);
    EXPECT_EQ(camera.targetObject(), &target);
    scene.objects().removeChild(target); // destroyed here
    EXPECT_EQ(camera.targetObject(), nullptr);
    Vec3 eye, centre, up;
    camera.lookAt(eye, centre, up); // falls back to its Direction
    EXPECT_FLOAT_EQ(centre.z, -1);
}

TEST(Tree, ProgressReachesEveryObjectHiddenOrNotAndListsMayGrow) {
    TGLScene scene;
    auto& group = scene.objects().addNewChild<TGLDummyCube>();
    group.setVisible(false);
    auto& ball = group.addNewChild<TGLSphere>();
    int calls = 0;
    double lastDelta = 0, lastTime = 0;
    ball.onProgress = [&](TGLBaseSceneObject& sender, double dt, double t) {
        EXPECT_EQ(&sender, &ball);
        ++calls;
        lastDelta = dt;
        lastTime = t;
    };
    int ticks = 0;
    group.addBehaviour(std::make_unique<CountingBehaviour>(ticks, true));
    scene.progress(0.02, 1.5);
    EXPECT_EQ(calls, 1);
    EXPECT_DOUBLE_EQ(lastDelta, 0.02);
    EXPECT_DOUBLE_EQ(lastTime, 1.5);
    EXPECT_EQ(ticks, 2); // the spawned behaviour ran in the same tick
    EXPECT_EQ(group.behaviours().size(), 2u);
    EXPECT_EQ(group.behaviours()[1]->owner(), &group);
    scene.progress(0.02, 1.52);
    EXPECT_EQ(ticks, 4);
}

TEST(Tree, DestroyingTheSceneWithCrossLinksIsSafe) {
    auto scene = std::make_unique<TGLScene>();
    auto& target = scene->objects().addNewChild<TGLSphere>();
    auto& camera = target.addNewChild<TGLCamera>();
    camera.setTargetObject(&target); // target is destroyed after its child camera
    auto& other = scene->objects().addNewChild<TGLCamera>();
    other.setTargetObject(&target);
    int fired = 0;
    scene->addChangeListener([&] { ++fired; });
    scene.reset();
    SUCCEED();
}

} // namespace
} // namespace coilrun::engine
