// Setters tell the scene about real changes only; updates batch them.
#include "engine/objects/camera.h"
#include "engine/objects/cylinder.h"
#include "engine/objects/dummy_cube.h"
#include "engine/objects/light_source.h"
#include "engine/objects/scene.h"
#include "engine/objects/sphere.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace coilrun::engine {
namespace {

struct Counted {
    TGLScene scene;
    int fired = 0;
    Counted() {
        scene.addChangeListener([this] { ++fired; });
    }
};

TEST(Notification, UnchangedValuesSendNothing) {
    Counted c;
    auto& sphere = c.scene.objects().addNewChild<TGLSphere>();
    auto& light = c.scene.objects().addNewChild<TGLLightSource>();
    auto& camera = c.scene.objects().addNewChild<TGLCamera>();
    sphere.setPosition(1, 2, 3);
    sphere.material().frontProperties().diffuse().setColor(1, 0, 0, 1);
    light.diffuse().setComponent(1, 0.5f);
    c.fired = 0;
    const auto version = sphere.structureVersion();

    // What the game sets every frame, with the values already held.
    sphere.setVisible(true);
    sphere.setRadius(0.5f);
    sphere.position().setX(1);
    sphere.setPosition(1, 2, 3);
    sphere.scale().setComponent(1, 1);
    sphere.setDirection({0, 0, 1});
    sphere.material().frontProperties().diffuse().setComponent(3, 1);
    sphere.material().frontProperties().diffuse().setColor(1, 0, 0, 1);
    sphere.material().setLibMaterialName("");
    sphere.setTurnAngle(0);
    light.setShining(true);
    light.setConstAttenuation(1);
    light.diffuse().setComponent(1, 0.5f);
    camera.setFocalLength(50);
    camera.setSceneScale(1);
    EXPECT_EQ(c.fired, 0);
    EXPECT_EQ(sphere.structureVersion(), version);

    // And each real change is told once.
    sphere.setVisible(false);
    EXPECT_EQ(c.fired, 1);
    sphere.material().frontProperties().diffuse().setComponent(3, 0.5f);
    EXPECT_EQ(c.fired, 2);
    light.diffuse().setComponent(0, 0.25f);
    EXPECT_EQ(c.fired, 3);
    camera.setFocalLength(30);
    EXPECT_EQ(c.fired, 4);
}

TEST(Notification, ShapeChangesDiscardTheCompiledGeometryOthersDoNot) {
    TGLScene scene;
    auto& sphere = scene.objects().addNewChild<TGLSphere>();
    auto& bar = scene.objects().addNewChild<TGLCylinder>();
    const auto s0 = sphere.structureVersion(), b0 = bar.structureVersion();
    sphere.setPosition(1, 0, 0);
    sphere.material().frontProperties().diffuse().setRed(1);
    sphere.setVisible(false);
    EXPECT_EQ(sphere.structureVersion(), s0);
    sphere.setRadius(0.75f);
    EXPECT_GT(sphere.structureVersion(), s0);
    bar.setHeight(2);
    const auto b1 = bar.structureVersion();
    EXPECT_GT(b1, b0);
    bar.setParts({true, false, true});
    EXPECT_GT(bar.structureVersion(), b1);
}

TEST(Notification, UpdatesBatchAndMustBalance) {
    Counted c;
    auto& o = c.scene.objects().addNewChild<TGLDummyCube>();
    c.fired = 0;
    o.beginUpdate();
    o.setPosition(1, 0, 0);
    o.setVisible(false);
    EXPECT_EQ(c.fired, 0);
    o.endUpdate();
    EXPECT_EQ(c.fired, 1);
    // Changes made inside the update are in effect.
    EXPECT_FLOAT_EQ(o.absolutePosition().x, 1);
    EXPECT_FALSE(o.visible());

    try {
        o.endUpdate();
        FAIL() << "no exception";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Unbalanced Begin/EndUpdate");
    }

    c.scene.beginUpdate();
    o.setPosition(2, 0, 0);
    o.setPosition(3, 0, 0);
    EXPECT_EQ(c.fired, 1);
    c.scene.endUpdate();
    EXPECT_EQ(c.fired, 2);
    EXPECT_THROW(c.scene.endUpdate(), std::logic_error);
}

TEST(Notification, ListenersCanBeRemovedAndObjectsOutsideASceneStaySilent) {
    TGLScene scene;
    int a = 0, b = 0;
    int idA = 0;
    idA = scene.addChangeListener([&] {
        ++a;
        scene.removeChangeListener(idA); // removing itself while being called
    });
    scene.addChangeListener([&] { ++b; });
    auto& o = scene.objects().addNewChild<TGLDummyCube>();
    o.setPosition(1, 1, 1);
    EXPECT_EQ(a, 1);
    EXPECT_GE(b, 2);

    // An object taken out of the scene no longer reaches it.
    const int before = b;
    std::unique_ptr<TGLBaseSceneObject> owned = scene.objects().removeChild(o);
    const int afterRemove = b;
    EXPECT_GT(afterRemove, before);
    owned->setPosition(5, 5, 5);
    EXPECT_EQ(b, afterRemove);
    EXPECT_EQ(owned->scene(), nullptr);
}

TEST(Notification, VisibilityCullingOutsideTheListIsRejected) {
    TGLScene scene;
    EXPECT_EQ(scene.visibilityCulling(), TGLVisibilityCulling::vcNone);
    EXPECT_EQ(scene.objectsSorting(), TGLObjectsSorting::osRenderBlendedLast);
    auto& o = scene.objects().addNewChild<TGLDummyCube>();
    EXPECT_EQ(o.effectiveVisibilityCulling(), TGLVisibilityCulling::vcNone);
    o.setVisibilityCulling(TGLVisibilityCulling::vcObjectBased);
    try {
        o.setVisibilityCulling(static_cast<TGLVisibilityCulling>(7));
        FAIL() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Unknown visibility culling option");
    }
    EXPECT_EQ(o.visibilityCulling(), TGLVisibilityCulling::vcObjectBased);
}

} // namespace
} // namespace coilrun::engine
