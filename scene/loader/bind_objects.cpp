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
#include "scene/loader/property_setters.h"
#include "scene/loader/scene_loader.h"

namespace coilrun::scene {

using namespace engine;

namespace {

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
    vec3Prop<O>(r, c, "Direction", &O::setDirection);
    vec3Prop<O>(r, c, "Up", &O::setUp);
    vec3Prop<O>(r, c, "Scale", &O::setScale);
    boolProp<O>(r, c, "Visible", &O::setVisible);
    boolProp<O>(r, c, "ShowAxes", &O::setShowAxes);
    floatProp<O>(r, c, "TagFloat", &O::setTagFloat);
    floatProp<O>(r, c, "PitchAngle", &O::setPitchAngle);
    floatProp<O>(r, c, "TurnAngle", &O::setTurnAngle);
    floatProp<O>(r, c, "RollAngle", &O::setRollAngle);
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
    stringProp<C>(r, "TGLCustomSceneObject", "Hint", &C::setHint);
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
    floatProp<D>(r, "TGLDummyCube", "CubeSize", &D::setCubeSize);
    prop<D>(r, "TGLDummyCube", "EdgeColor",
            [](D& o, const Property& p, LoadContext& x) { o.edgeColor().setColor(x.color(p)); });
    boolProp<D>(r, "TGLDummyCube", "VisibleAtRunTime", &D::setVisibleAtRunTime);

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
    floatProp<S>(r, "TGLSphere", "Radius", &S::setRadius);
    intProp<S>(r, "TGLSphere", "Slices", &S::setSlices);
    intProp<S>(r, "TGLSphere", "Stacks", &S::setStacks);
    floatProp<S>(r, "TGLSphere", "Top", &S::setTop);
    floatProp<S>(r, "TGLSphere", "Bottom", &S::setBottom);
    floatProp<S>(r, "TGLSphere", "Start", &S::setStart);
    floatProp<S>(r, "TGLSphere", "Stop", &S::setStop);

    r.addClass<TGLCylinderBase, Q>("TGLCylinderBase", "TGLQuadricObject", nullptr);
    r.addClass<TGLCylinder, TGLCylinderBase>("TGLCylinder", "TGLCylinderBase",
                                             plain<TGLCylinder>());
    using Y = TGLCylinder;
    floatProp<Y>(r, "TGLCylinder", "TopRadius", &Y::setTopRadius);
    floatProp<Y>(r, "TGLCylinder", "BottomRadius", &Y::setBottomRadius);
    floatProp<Y>(r, "TGLCylinder", "Height", &Y::setHeight);
    intProp<Y>(r, "TGLCylinder", "Slices", &Y::setSlices);
    intProp<Y>(r, "TGLCylinder", "Stacks", &Y::setStacks);
    intProp<Y>(r, "TGLCylinder", "Loops", &Y::setLoops);
    prop<Y>(r, "TGLCylinder", "Alignment", [](Y& o, const Property& p, LoadContext& x) {
        o.setAlignment(enumValue<TGLCylinderAlignment>(x, p));
    });

    r.addClass<TGLCube, TGLSceneObject>("TGLCube", "TGLSceneObject", plain<TGLCube>());
    using B = TGLCube;
    floatProp<B>(r, "TGLCube", "CubeWidth", &B::setCubeWidth);
    floatProp<B>(r, "TGLCube", "CubeHeight", &B::setCubeHeight);
    floatProp<B>(r, "TGLCube", "CubeDepth", &B::setCubeDepth);

    r.addClass<TGLPlane, TGLSceneObject>("TGLPlane", "TGLSceneObject", plain<TGLPlane>());
    using P = TGLPlane;
    floatProp<P>(r, "TGLPlane", "Width", &P::setWidth);
    floatProp<P>(r, "TGLPlane", "Height", &P::setHeight);
    intProp<P>(r, "TGLPlane", "XTiles", &P::setXTiles);
    intProp<P>(r, "TGLPlane", "YTiles", &P::setYTiles);

    r.addClass<TGLCapsule, TGLSceneObject>("TGLCapsule", "TGLSceneObject", plain<TGLCapsule>());
    using K = TGLCapsule;
    floatProp<K>(r, "TGLCapsule", "Radius", &K::setRadius);
    floatProp<K>(r, "TGLCapsule", "Height", &K::setHeight);
    intProp<K>(r, "TGLCapsule", "Slices", &K::setSlices);
    intProp<K>(r, "TGLCapsule", "Stacks", &K::setStacks);

    r.addClass<TGLIcosahedron, TGLSceneObject>("TGLIcosahedron", "TGLSceneObject",
                                               plain<TGLIcosahedron>());
    r.addClass<TGLParticleFXRenderer, TGLBaseSceneObject>(
        "TGLParticleFXRenderer", "TGLBaseSceneObject", plain<TGLParticleFXRenderer>());
}

void registerCameraAndLights(ClassRegistry& r) {
    r.addClass<TGLCamera, TGLBaseSceneObject>("TGLCamera", "TGLBaseSceneObject",
                                              plain<TGLCamera>());
    using M = TGLCamera;
    floatProp<M>(r, "TGLCamera", "FocalLength", &M::setFocalLength);
    floatProp<M>(r, "TGLCamera", "DepthOfView", &M::setDepthOfView);
    floatProp<M>(r, "TGLCamera", "NearPlaneBias", &M::setNearPlaneBias);
    floatProp<M>(r, "TGLCamera", "SceneScale", &M::setSceneScale);
    prop<M>(r, "TGLCamera", "TargetObject", [](M& o, const Property& p, LoadContext& x) {
        o.setTargetObject(&x.reference<TGLBaseSceneObject>(p));
    });

    r.addClass<TGLLightSource, TGLBaseSceneObject>("TGLLightSource", "TGLBaseSceneObject",
                                                   plain<TGLLightSource>());
    using L = TGLLightSource;
    boolProp<L>(r, "TGLLightSource", "Shining", &L::setShining);
    prop<L>(r, "TGLLightSource", "LightStyle", [](L& o, const Property& p, LoadContext& x) {
        o.setLightStyle(enumValue<TGLLightStyle>(x, p));
    });
    prop<L>(r, "TGLLightSource", "Ambient",
            [](L& o, const Property& p, LoadContext& x) { o.ambient().setColor(x.color(p)); });
    prop<L>(r, "TGLLightSource", "Diffuse",
            [](L& o, const Property& p, LoadContext& x) { o.diffuse().setColor(x.color(p)); });
    prop<L>(r, "TGLLightSource", "Specular",
            [](L& o, const Property& p, LoadContext& x) { o.specular().setColor(x.color(p)); });
    floatProp<L>(r, "TGLLightSource", "ConstAttenuation", &L::setConstAttenuation);
    floatProp<L>(r, "TGLLightSource", "LinearAttenuation", &L::setLinearAttenuation);
    floatProp<L>(r, "TGLLightSource", "QuadraticAttenuation", &L::setQuadraticAttenuation);
    floatProp<L>(r, "TGLLightSource", "SpotCutOff", &L::setSpotCutOff);
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
                if (!e.picture.empty()) {
                    // Checked now, decoded when first drawn: most pages are never shown.
                    const std::string asset = "texture/" + e.picture;
                    if (embeddedAsset(asset).empty())
                        x.fail(l->line, "no embedded picture \"" + e.picture + "\"");
                    m.material().texture().setImageSource([asset] {
                        try {
                            return embeddedPicture(asset);
                        } catch (const std::exception&) {
                            return platform::Image{}; // drawn without its picture
                        }
                    });
                }
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
