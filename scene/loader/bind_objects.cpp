// How the scene file sets the properties of the scene objects and materials.
#include "engine/objects/camera.h"
#include "engine/objects/capsule.h"
#include "engine/objects/cube.h"
#include "engine/objects/cylinder.h"
#include "engine/objects/dummy_cube.h"
#include "engine/objects/icosahedron.h"
#include "engine/objects/light_source.h"
#include "engine/objects/material_library.h"
#include "engine/objects/plane.h"
#include "engine/objects/sphere.h"
#include "engine/particles/particle_fx.h"
#include "scene/assets/embedded_assets.h"
#include "scene/loader/engine_classes.h"
#include "scene/loader/enum_names.h"
#include "scene/loader/scene_loader.h"

namespace coilrun::scene {

using namespace engine;

namespace {

template <class T> std::function<std::unique_ptr<T>(LoadContext&)> plain() {
    return [](LoadContext&) { return std::make_unique<T>(); };
}

template <class T, class F> void prop(ClassRegistry& r, const char* cls, const char* name, F f) {
    r.addProperty<T>(cls, name, std::function<void(T&, const Property&, LoadContext&)>(f));
}

void registerBase(ClassRegistry& r) {
    r.addClass<TGLScene>("TGLScene", "", plain<TGLScene>());
    r.addClass<TGLBaseSceneObject>("TGLBaseSceneObject", "", plain<TGLBaseSceneObject>());
    using O = TGLBaseSceneObject;
    const char* c = "TGLBaseSceneObject";
    // Screen objects are placed by two numbers, pixels across and down.
    prop<O>(r, c, "Position", [](O& o, const Property& p, LoadContext& x) {
        if (p.values.size() == 2)
            return o.setPosition(float(x.number(p, 0)), float(x.number(p, 1)), 0);
        o.setPosition(x.vec3(p));
    });
    prop<O>(r, c, "Direction",
            [](O& o, const Property& p, LoadContext& x) { o.setDirection(x.vec3(p)); });
    prop<O>(r, c, "Up", [](O& o, const Property& p, LoadContext& x) { o.setUp(x.vec3(p)); });
    prop<O>(r, c, "Scale", [](O& o, const Property& p, LoadContext& x) { o.setScale(x.vec3(p)); });
    prop<O>(r, c, "Visible",
            [](O& o, const Property& p, LoadContext& x) { o.setVisible(x.boolean(p)); });
    prop<O>(r, c, "ShowAxes",
            [](O& o, const Property& p, LoadContext& x) { o.setShowAxes(x.boolean(p)); });
    prop<O>(r, c, "TagFloat",
            [](O& o, const Property& p, LoadContext& x) { o.setTagFloat(float(x.number(p))); });
    prop<O>(r, c, "PitchAngle",
            [](O& o, const Property& p, LoadContext& x) { o.setPitchAngle(float(x.number(p))); });
    prop<O>(r, c, "TurnAngle",
            [](O& o, const Property& p, LoadContext& x) { o.setTurnAngle(float(x.number(p))); });
    prop<O>(r, c, "RollAngle",
            [](O& o, const Property& p, LoadContext& x) { o.setRollAngle(float(x.number(p))); });
    prop<O>(r, c, "ObjectsSorting", [](O& o, const Property& p, LoadContext& x) {
        o.setObjectsSorting(enumValue<TGLObjectsSorting>(x, p));
    });
    prop<O>(r, c, "Effects", [](O& o, const Property& p, LoadContext& x) {
        for (std::size_t i = 0; i < p.values.size(); ++i) {
            if (p.values[i].text != "TGLSourcePFXEffect")
                x.fail(p.line, "unknown effect " + p.values[i].text);
            o.addEffect(std::make_unique<TGLSourcePFXEffect>());
        }
    });

    r.addClass<TGLCustomSceneObject, O>("TGLCustomSceneObject", c, plain<TGLCustomSceneObject>());
    using C = TGLCustomSceneObject;
    prop<C>(r, "TGLCustomSceneObject", "Hint",
            [](C& o, const Property& p, LoadContext& x) { o.setHint(x.string(p)); });
    prop<C>(r, "TGLCustomSceneObject", "MaterialLibrary",
            [](C& o, const Property& p, LoadContext& x) {
                o.material().setMaterialLibrary(&x.reference<TGLMaterialLibrary>(p));
            });
    prop<C>(r, "TGLCustomSceneObject", "LibMaterialName",
            [](C& o, const Property& p, LoadContext& x) {
                o.material().setLibMaterialName(x.string(p));
            });
    prop<C>(r, "TGLCustomSceneObject", "BlendingMode", [](C& o, const Property& p, LoadContext& x) {
        o.material().setBlendingMode(enumValue<TGLBlendingMode>(x, p));
    });
    prop<C>(r, "TGLCustomSceneObject", "Diffuse", [](C& o, const Property& p, LoadContext& x) {
        o.material().frontProperties().diffuse().setColor(x.color(p));
    });
    prop<C>(r, "TGLCustomSceneObject", "Emission", [](C& o, const Property& p, LoadContext& x) {
        o.material().frontProperties().emission().setColor(x.color(p));
    });
    r.addClass<TGLSceneObject, C>("TGLSceneObject", "TGLCustomSceneObject",
                                  plain<TGLSceneObject>());
    r.addClass<TGLImmaterialSceneObject, C>("TGLImmaterialSceneObject", "TGLCustomSceneObject",
                                            plain<TGLImmaterialSceneObject>());
    r.addClass<TGLCameraInvariantObject, TGLImmaterialSceneObject>(
        "TGLCameraInvariantObject", "TGLImmaterialSceneObject", plain<TGLCameraInvariantObject>());
}

void registerPrimitives(ClassRegistry& r) {
    r.addClass<TGLDummyCube, TGLCameraInvariantObject>("TGLDummyCube", "TGLCameraInvariantObject",
                                                       plain<TGLDummyCube>());
    using D = TGLDummyCube;
    prop<D>(r, "TGLDummyCube", "CubeSize",
            [](D& o, const Property& p, LoadContext& x) { o.setCubeSize(float(x.number(p))); });
    prop<D>(r, "TGLDummyCube", "EdgeColor",
            [](D& o, const Property& p, LoadContext& x) { o.edgeColor().setColor(x.color(p)); });
    prop<D>(r, "TGLDummyCube", "VisibleAtRunTime",
            [](D& o, const Property& p, LoadContext& x) { o.setVisibleAtRunTime(x.boolean(p)); });

    r.addClass<TGLQuadricObject, TGLSceneObject>("TGLQuadricObject", "TGLSceneObject", nullptr);
    using Q = TGLQuadricObject;
    prop<Q>(r, "TGLQuadricObject", "Normals", [](Q& o, const Property& p, LoadContext& x) {
        o.setNormals(enumValue<TGLNormalSmoothing>(x, p));
    });
    prop<Q>(r, "TGLQuadricObject", "NormalDirection", [](Q& o, const Property& p, LoadContext& x) {
        o.setNormalDirection(enumValue<TGLNormalDirection>(x, p));
    });

    r.addClass<TGLSphere, Q>("TGLSphere", "TGLQuadricObject", plain<TGLSphere>());
    using S = TGLSphere;
    prop<S>(r, "TGLSphere", "Radius",
            [](S& o, const Property& p, LoadContext& x) { o.setRadius(float(x.number(p))); });
    prop<S>(r, "TGLSphere", "Slices",
            [](S& o, const Property& p, LoadContext& x) { o.setSlices(x.integer(p)); });
    prop<S>(r, "TGLSphere", "Stacks",
            [](S& o, const Property& p, LoadContext& x) { o.setStacks(x.integer(p)); });
    prop<S>(r, "TGLSphere", "Top",
            [](S& o, const Property& p, LoadContext& x) { o.setTop(float(x.number(p))); });
    prop<S>(r, "TGLSphere", "Bottom",
            [](S& o, const Property& p, LoadContext& x) { o.setBottom(float(x.number(p))); });
    prop<S>(r, "TGLSphere", "Start",
            [](S& o, const Property& p, LoadContext& x) { o.setStart(float(x.number(p))); });
    prop<S>(r, "TGLSphere", "Stop",
            [](S& o, const Property& p, LoadContext& x) { o.setStop(float(x.number(p))); });

    r.addClass<TGLCylinderBase, Q>("TGLCylinderBase", "TGLQuadricObject", nullptr);
    r.addClass<TGLCylinder, TGLCylinderBase>("TGLCylinder", "TGLCylinderBase",
                                             plain<TGLCylinder>());
    using Y = TGLCylinder;
    prop<Y>(r, "TGLCylinder", "TopRadius",
            [](Y& o, const Property& p, LoadContext& x) { o.setTopRadius(float(x.number(p))); });
    prop<Y>(r, "TGLCylinder", "BottomRadius",
            [](Y& o, const Property& p, LoadContext& x) { o.setBottomRadius(float(x.number(p))); });
    prop<Y>(r, "TGLCylinder", "Height",
            [](Y& o, const Property& p, LoadContext& x) { o.setHeight(float(x.number(p))); });
    prop<Y>(r, "TGLCylinder", "Slices",
            [](Y& o, const Property& p, LoadContext& x) { o.setSlices(x.integer(p)); });
    prop<Y>(r, "TGLCylinder", "Stacks",
            [](Y& o, const Property& p, LoadContext& x) { o.setStacks(x.integer(p)); });
    prop<Y>(r, "TGLCylinder", "Loops",
            [](Y& o, const Property& p, LoadContext& x) { o.setLoops(x.integer(p)); });
    prop<Y>(r, "TGLCylinder", "Alignment", [](Y& o, const Property& p, LoadContext& x) {
        o.setAlignment(enumValue<TGLCylinderAlignment>(x, p));
    });

    r.addClass<TGLCube, TGLSceneObject>("TGLCube", "TGLSceneObject", plain<TGLCube>());
    using B = TGLCube;
    prop<B>(r, "TGLCube", "CubeWidth",
            [](B& o, const Property& p, LoadContext& x) { o.setCubeWidth(float(x.number(p))); });
    prop<B>(r, "TGLCube", "CubeHeight",
            [](B& o, const Property& p, LoadContext& x) { o.setCubeHeight(float(x.number(p))); });
    prop<B>(r, "TGLCube", "CubeDepth",
            [](B& o, const Property& p, LoadContext& x) { o.setCubeDepth(float(x.number(p))); });

    r.addClass<TGLPlane, TGLSceneObject>("TGLPlane", "TGLSceneObject", plain<TGLPlane>());
    using P = TGLPlane;
    prop<P>(r, "TGLPlane", "Width",
            [](P& o, const Property& p, LoadContext& x) { o.setWidth(float(x.number(p))); });
    prop<P>(r, "TGLPlane", "Height",
            [](P& o, const Property& p, LoadContext& x) { o.setHeight(float(x.number(p))); });
    prop<P>(r, "TGLPlane", "XTiles",
            [](P& o, const Property& p, LoadContext& x) { o.setXTiles(x.integer(p)); });
    prop<P>(r, "TGLPlane", "YTiles",
            [](P& o, const Property& p, LoadContext& x) { o.setYTiles(x.integer(p)); });

    r.addClass<TGLCapsule, TGLSceneObject>("TGLCapsule", "TGLSceneObject", plain<TGLCapsule>());
    using K = TGLCapsule;
    prop<K>(r, "TGLCapsule", "Radius",
            [](K& o, const Property& p, LoadContext& x) { o.setRadius(float(x.number(p))); });
    prop<K>(r, "TGLCapsule", "Height",
            [](K& o, const Property& p, LoadContext& x) { o.setHeight(float(x.number(p))); });
    prop<K>(r, "TGLCapsule", "Slices",
            [](K& o, const Property& p, LoadContext& x) { o.setSlices(x.integer(p)); });
    prop<K>(r, "TGLCapsule", "Stacks",
            [](K& o, const Property& p, LoadContext& x) { o.setStacks(x.integer(p)); });

    r.addClass<TGLIcosahedron, TGLSceneObject>("TGLIcosahedron", "TGLSceneObject",
                                               plain<TGLIcosahedron>());
    r.addClass<TGLParticleFXRenderer, TGLBaseSceneObject>(
        "TGLParticleFXRenderer", "TGLBaseSceneObject", plain<TGLParticleFXRenderer>());
}

void registerCameraAndLights(ClassRegistry& r) {
    r.addClass<TGLCamera, TGLBaseSceneObject>("TGLCamera", "TGLBaseSceneObject",
                                              plain<TGLCamera>());
    using M = TGLCamera;
    prop<M>(r, "TGLCamera", "FocalLength",
            [](M& o, const Property& p, LoadContext& x) { o.setFocalLength(float(x.number(p))); });
    prop<M>(r, "TGLCamera", "DepthOfView",
            [](M& o, const Property& p, LoadContext& x) { o.setDepthOfView(float(x.number(p))); });
    prop<M>(r, "TGLCamera", "NearPlaneBias", [](M& o, const Property& p, LoadContext& x) {
        o.setNearPlaneBias(float(x.number(p)));
    });
    prop<M>(r, "TGLCamera", "SceneScale",
            [](M& o, const Property& p, LoadContext& x) { o.setSceneScale(float(x.number(p))); });
    prop<M>(r, "TGLCamera", "TargetObject", [](M& o, const Property& p, LoadContext& x) {
        o.setTargetObject(&x.reference<TGLBaseSceneObject>(p));
    });

    r.addClass<TGLLightSource, TGLBaseSceneObject>("TGLLightSource", "TGLBaseSceneObject",
                                                   plain<TGLLightSource>());
    using L = TGLLightSource;
    prop<L>(r, "TGLLightSource", "Shining",
            [](L& o, const Property& p, LoadContext& x) { o.setShining(x.boolean(p)); });
    prop<L>(r, "TGLLightSource", "LightStyle", [](L& o, const Property& p, LoadContext& x) {
        o.setLightStyle(enumValue<TGLLightStyle>(x, p));
    });
    prop<L>(r, "TGLLightSource", "Ambient",
            [](L& o, const Property& p, LoadContext& x) { o.ambient().setColor(x.color(p)); });
    prop<L>(r, "TGLLightSource", "Diffuse",
            [](L& o, const Property& p, LoadContext& x) { o.diffuse().setColor(x.color(p)); });
    prop<L>(r, "TGLLightSource", "Specular",
            [](L& o, const Property& p, LoadContext& x) { o.specular().setColor(x.color(p)); });
    prop<L>(r, "TGLLightSource", "ConstAttenuation", [](L& o, const Property& p, LoadContext& x) {
        o.setConstAttenuation(float(x.number(p)));
    });
    prop<L>(r, "TGLLightSource", "LinearAttenuation", [](L& o, const Property& p, LoadContext& x) {
        o.setLinearAttenuation(float(x.number(p)));
    });
    prop<L>(r, "TGLLightSource", "QuadraticAttenuation",
            [](L& o, const Property& p, LoadContext& x) {
                o.setQuadraticAttenuation(float(x.number(p)));
            });
    prop<L>(r, "TGLLightSource", "SpotCutOff",
            [](L& o, const Property& p, LoadContext& x) { o.setSpotCutOff(float(x.number(p))); });
}

// A library's entries are declared inside it; they are not components of their own.
struct LibMaterialDecl {
    std::string name;
    TGLBlendingMode blending = TGLBlendingMode::bmOpaque;
    bool textureEnabled = false;
    int tag = 0;
    std::string picture;
};

void registerMaterials(ClassRegistry& r) {
    r.addClass<TGLMaterialLibrary>("TGLMaterialLibrary", "", plain<TGLMaterialLibrary>());
    r.addClass<LibMaterialDecl>("TGLLibMaterial", "", plain<LibMaterialDecl>());
    using E = LibMaterialDecl;
    prop<E>(r, "TGLLibMaterial", "BlendingMode", [](E& e, const Property& p, LoadContext& x) {
        e.blending = enumValue<TGLBlendingMode>(x, p);
    });
    prop<E>(r, "TGLLibMaterial", "TextureEnabled",
            [](E& e, const Property& p, LoadContext& x) { e.textureEnabled = x.boolean(p); });
    prop<E>(r, "TGLLibMaterial", "Tag",
            [](E& e, const Property& p, LoadContext& x) { e.tag = x.integer(p); });
    prop<E>(r, "TGLLibMaterial", "Picture",
            [](E& e, const Property& p, LoadContext& x) { e.picture = x.string(p); });
    r.addAdopter<TGLMaterialLibrary>(
        "TGLMaterialLibrary", [](TGLMaterialLibrary&, Loaded& child, LoadContext& x) {
            if (child.className != "TGLLibMaterial")
                x.fail(child.line, "a material library holds materials only");
        });
    // The entries are made once their properties are known: at the end of loading.
    r.addLoaded<E>("TGLLibMaterial", [](E&, LoadContext&) {});
    r.addLoaded<TGLMaterialLibrary>(
        "TGLMaterialLibrary", [](TGLMaterialLibrary& lib, LoadContext& x) {
            for (const Loaded* l : x.childrenOf(lib.name())) {
                const auto& e = *static_cast<const LibMaterialDecl*>(l->object);
                TGLLibMaterial& m = lib.add(l->name);
                m.setTag(e.tag);
                m.material().setBlendingMode(e.blending);
                if (!e.picture.empty())
                    m.material().texture().setImage(embeddedPicture("texture/" + e.picture));
                m.material().texture().setEnabled(e.textureEnabled);
            }
        });
}

} // namespace

void registerObjectClasses(ClassRegistry& registry) {
    registerBase(registry);
    registerPrimitives(registry);
    registerCameraAndLights(registry);
    registerMaterials(registry);
}

} // namespace coilrun::scene
