#include "engine/objects/camera.h"
#include "engine/render/scene_viewer.h"
#include "scene/loader/engine_classes.h"
#include "scene/loader/scene_loader.h"

namespace coilrun::scene {

namespace {

// The window's viewer is made with its surface; the file only sets it up.
void registerViewer(ClassRegistry& r) {
    using V = engine::TGLSceneViewer;
    r.addProvidedClass<V>("TGLSceneViewer");
    r.addProperty<V>("TGLSceneViewer", "Camera", [](V& v, const Property& p, LoadContext& x) {
        v.setCamera(&x.reference<engine::TGLCamera>(p));
    });
    r.addProperty<V>("TGLSceneViewer", "FieldOfView", [](V& v, const Property& p, LoadContext& x) {
        v.setFieldOfView(float(x.number(p)));
    });
    r.addProperty<V>("TGLSceneViewer", "OnMouseDown", [](V& v, const Property& p, LoadContext& x) {
        v.onMouseDown = x.handler<std::function<void(int button, int x, int y)>>(p);
    });
    r.addProperty<V>("TGLSceneViewer", "OnMouseMove", [](V& v, const Property& p, LoadContext& x) {
        v.onMouseMove = x.handler<std::function<void(int x, int y)>>(p);
    });
}

} // namespace

ClassRegistry coilrunClasses() {
    ClassRegistry registry;
    registerObjectClasses(registry);
    registerHudClasses(registry);
    registerTimeClasses(registry);
    registerInputClasses(registry);
    registerSoundClasses(registry);
    registerViewer(registry);
    return registry;
}

} // namespace coilrun::scene
