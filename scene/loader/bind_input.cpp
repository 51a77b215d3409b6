// How the scene file sets up mouse look: the navigator and the user interface.
#include "engine/input/navigable_object.h"
#include "engine/input/navigator.h"
#include "engine/input/user_interface.h"
#include "engine/objects/base_scene_object.h"
#include "scene/loader/engine_classes.h"
#include "scene/loader/property_setters.h"
#include "scene/loader/scene_loader.h"

namespace coilrun::scene {

namespace {

// Lets a navigator turn a scene object through its orientation setters.
class SceneObjectNavigable final : public engine::NavigableObject {
public:
    explicit SceneObjectNavigable(engine::TGLBaseSceneObject& o) : object_(o) {}
    engine::Vec3 direction() const override { return object_.direction().asAffine(); }
    engine::Vec3 up() const override { return object_.up().asAffine(); }
    void setDirection(const engine::Vec3& d) override { object_.setDirection(d); }
    void setUp(const engine::Vec3& u) override { object_.setUp(u); }

private:
    engine::TGLBaseSceneObject& object_;
};

// A navigator together with the link to the object it moves.
struct NavigatorDecl : engine::TGLNavigator {
    std::unique_ptr<SceneObjectNavigable> moving;
    ~NavigatorDecl() { setMovingObject(nullptr); }
};

} // namespace

void registerInputClasses(ClassRegistry& r) {
    r.addClass<engine::TGLNavigator>("TGLNavigatorBase", "", nullptr);
    r.addClass<NavigatorDecl, engine::TGLNavigator>(
        "TGLNavigator", "TGLNavigatorBase",
        [](LoadContext&) { return std::make_unique<NavigatorDecl>(); });
    using N = NavigatorDecl;
    prop<N>(r, "TGLNavigator", "MovingObject", [](N& n, const Property& p, LoadContext& x) {
        n.moving =
            std::make_unique<SceneObjectNavigable>(x.reference<engine::TGLBaseSceneObject>(p));
        n.setMovingObject(n.moving.get());
    });
    prop<N>(r, "TGLNavigator", "UseVirtualUp",
            [](N& n, const Property& p, LoadContext& x) { n.setUseVirtualUp(x.boolean(p)); });
    prop<N>(r, "TGLNavigator", "VirtualUp",
            [](N& n, const Property& p, LoadContext& x) { n.setVirtualUp(x.vec3(p)); });
    prop<N>(r, "TGLNavigator", "MaxAngle",
            [](N& n, const Property& p, LoadContext& x) { n.setMaxAngle(float(x.number(p))); });
    prop<N>(r, "TGLNavigator", "MinAngle",
            [](N& n, const Property& p, LoadContext& x) { n.setMinAngle(float(x.number(p))); });
    prop<N>(r, "TGLNavigator", "AngleLock",
            [](N& n, const Property& p, LoadContext& x) { n.setAngleLock(x.boolean(p)); });

    r.addClass<engine::TGLUserInterface>("TGLUserInterface", "", [](LoadContext& x) {
        return std::make_unique<engine::TGLUserInterface>(x.platform().cursor(),
                                                          x.platform().screen());
    });
    using U = engine::TGLUserInterface;
    prop<U>(r, "TGLUserInterface", "MouseSpeed",
            [](U& u, const Property& p, LoadContext& x) { u.setMouseSpeed(float(x.number(p))); });
    prop<U>(r, "TGLUserInterface", "InvertMouse",
            [](U& u, const Property& p, LoadContext& x) { u.setInvertMouse(x.boolean(p)); });
    prop<U>(r, "TGLUserInterface", "GLNavigator", [](U& u, const Property& p, LoadContext& x) {
        u.setGLNavigator(&x.reference<NavigatorDecl>(p));
    });
    prop<U>(r, "TGLUserInterface", "GLVertNavigator", [](U& u, const Property& p, LoadContext& x) {
        u.setGLVertNavigator(&x.reference<NavigatorDecl>(p));
    });
}

} // namespace coilrun::scene
