#include "bench/render/demo_scene.h"

#include "engine/objects/capsule.h"
#include "engine/objects/cube.h"
#include "engine/objects/cylinder.h"
#include "engine/objects/dummy_cube.h"
#include "engine/objects/icosahedron.h"
#include "engine/objects/light_source.h"
#include "engine/objects/plane.h"
#include "engine/objects/sphere.h"

namespace coilrun {

using namespace engine;

namespace {

void paint(TGLCustomSceneObject& o, float r, float g, float b) {
    o.material().frontProperties().diffuse().setColor(r, g, b, 1);
    o.material().frontProperties().ambient().setColor(r * 0.25f, g * 0.25f, b * 0.25f, 1);
    o.material().frontProperties().specular().setColor(0.6f, 0.6f, 0.6f, 1);
    o.material().frontProperties().setShininess(40);
}

template <class T>
T& place(TGLBaseSceneObject& parent, const char* name, float x, float y, float z) {
    auto& o = parent.addNewChild<T>();
    o.setName(name);
    o.setPosition(x, y, z);
    return o;
}

} // namespace

TGLCamera* buildDemoScene(TGLScene& scene) {
    TGLBaseSceneObject& root = scene.objects();

    auto& camera = place<TGLCamera>(root, "Camera", 0, 2.5f, 8);
    camera.setFocalLength(50);
    camera.setDepthOfView(100);

    auto& warm = place<TGLLightSource>(root, "leftlight", -6, 5, 6);
    warm.diffuse().setColor(1.0f, 0.55f, 0.25f, 1);
    warm.setSpotCutOff(180);
    auto& cool = place<TGLLightSource>(root, "rightlight", 6, 3, 4);
    cool.diffuse().setColor(0.3f, 0.6f, 1.0f, 1);
    cool.setSpotCutOff(180);

    // Everything turns on a pivot so that each shape shows all its sides.
    auto& pivot = place<TGLDummyCube>(root, "demoPivot", 0, 0, 0);
    pivot.setCubeSize(7);
    pivot.setVisibleAtRunTime(true);
    pivot.edgeColor().setColor(0.5f, 1.0f, 0.0f, 1);
    pivot.onProgress = [](TGLBaseSceneObject& self, double deltaTime, double) {
        self.turn(float(deltaTime * 12));
    };
    // Looking slightly down at the middle of the turning group.
    camera.setTargetObject(&pivot);
    auto spin = [](float rate) {
        return [rate](TGLBaseSceneObject& self, double deltaTime, double) {
            self.turn(float(deltaTime * rate));
            self.roll(float(deltaTime * rate * 0.4));
        };
    };

    auto& sphere = place<TGLSphere>(pivot, "demoSphere", -2.4f, 1.2f, 0);
    sphere.setRadius(0.8f);
    sphere.setSlices(32);
    sphere.setStacks(24);
    paint(sphere, 0.35f, 0.9f, 0.4f);

    auto& cut = place<TGLSphere>(pivot, "demoCutSphere", 0, 1.2f, 0);
    cut.setRadius(0.8f);
    cut.setTop(60);
    cut.setBottom(-30);
    cut.setTopCap(TGLCapType::ctFlat);
    cut.setBottomCap(TGLCapType::ctCenter);
    paint(cut, 0.95f, 0.85f, 0.3f);
    cut.onProgress = spin(30);

    auto& cube = place<TGLCube>(pivot, "demoCube", 2.4f, 1.2f, 0);
    cube.setScale({1.1f, 1.1f, 1.1f});
    paint(cube, 0.9f, 0.3f, 0.3f);
    cube.onProgress = spin(45);

    auto& cylinder = place<TGLCylinder>(pivot, "demoCylinder", -2.4f, -1.2f, 0);
    cylinder.setTopRadius(0.3f);
    cylinder.setBottomRadius(0.6f);
    cylinder.setHeight(1.4f);
    cylinder.setSlices(24);
    paint(cylinder, 0.4f, 0.6f, 0.95f);
    cylinder.onProgress = spin(-35);

    auto& capsule = place<TGLCapsule>(pivot, "demoCapsule", 0, -1.2f, 0);
    capsule.setRadius(0.4f);
    capsule.setHeight(0.9f);
    capsule.setSlices(6);
    capsule.setStacks(4);
    paint(capsule, 0.85f, 0.45f, 0.9f);
    capsule.onProgress = spin(25);

    auto& icosahedron = place<TGLIcosahedron>(pivot, "demoIcosahedron", 2.4f, -1.2f, 0);
    icosahedron.setScale({2, 2, 2});
    paint(icosahedron, 0.3f, 0.95f, 0.9f);
    icosahedron.onProgress = spin(60);

    auto& floor = place<TGLPlane>(pivot, "demoFloor", 0, -2.6f, 0);
    floor.setWidth(7);
    floor.setHeight(7);
    floor.setDirection({0, 1, 0});
    floor.setUp({0, 0, -1});
    paint(floor, 0.5f, 0.5f, 0.55f);

    return &camera;
}

} // namespace coilrun
