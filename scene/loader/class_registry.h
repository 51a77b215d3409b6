#pragma once
#include "engine/objects/base_scene_object.h"
#include "scene/loader/scene_file.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <typeindex>
#include <typeinfo>

namespace coilrun::scene {

class LoadContext;

// What a declaration became. A scene object waits in `sceneObject` until its
// parent takes it; anything else is kept alive by `keepAlive` for the loaded scene.
struct Loaded {
    std::string className;
    std::string name;
    std::string parentName; // the declaration it is nested in, empty at the top
    int line = 0;
    std::type_index type = typeid(void);       // the declared class's C++ type
    void* object = nullptr;                    // as the declared class
    engine::TGLComponent* component = nullptr; // when the class is a component
    std::unique_ptr<engine::TGLBaseSceneObject> sceneObject;
    std::shared_ptr<void> keepAlive;
};

// The classes a scene file may name: how to make each, how to set each of its
// properties, and how it takes children that are not scene objects (items of a
// library, say). A class inherits the properties of its base.
class ClassRegistry {
public:
    using Setter = std::function<void(void* object, const Property&, LoadContext&)>;
    using Adopter = std::function<void(void* parent, Loaded& child, LoadContext&)>;

    // Registers T under name, derived from the registered class baseName (empty for
    // none) whose C++ type is Base.
    template <class T, class Base = void>
    void addClass(const std::string& name, const std::string& baseName,
                  std::function<std::unique_ptr<T>(LoadContext&)> make);

    // A class whose one object the loader is given rather than makes (the window's
    // viewer): the declaration sets its properties; the loaded scene does not own it.
    // Defined in scene_loader.h.
    template <class T> void addProvidedClass(const std::string& name);

    template <class T>
    void addProperty(const std::string& className, const std::string& property,
                     std::function<void(T&, const Property&, LoadContext&)> set) {
        classes_.at(className).setters[property] = [set](void* o, const Property& p,
                                                         LoadContext& ctx) {
            set(*static_cast<T*>(o), p, ctx);
        };
    }

    template <class T>
    void addAdopter(const std::string& className,
                    std::function<void(T&, Loaded& child, LoadContext&)> adopt) {
        classes_.at(className).adopt = [adopt](void* o, Loaded& child, LoadContext& ctx) {
            adopt(*static_cast<T*>(o), child, ctx);
        };
    }

    // Runs once every property of the file has been set, in file order: the
    // object's "loading has ended" step.
    template <class T>
    void addLoaded(const std::string& className, std::function<void(T&, LoadContext&)> done) {
        classes_.at(className).loaded = [done](void* o, LoadContext& ctx) {
            done(*static_cast<T*>(o), ctx);
        };
    }

    bool knows(const std::string& className) const { return classes_.count(className) > 0; }
    Loaded create(const std::string& className, LoadContext& ctx) const;
    // Finds the setter along the base chain and calls it with the object converted to
    // the class that declared the property. False when no class in the chain has it.
    bool set(const std::string& className, void* object, const Property& p, LoadContext& ctx) const;
    // Gives a non-scene-object child to its parent; false when the parent takes none.
    bool adopt(const std::string& className, void* object, Loaded& child, LoadContext& ctx) const;
    // Runs the nearest "loading has ended" step along the base chain, if any.
    void finishLoading(const std::string& className, void* object, LoadContext& ctx) const;

private:
    struct ClassInfo {
        std::string base;
        std::function<Loaded(LoadContext&)> create;
        std::function<void*(void*)> toBase; // a pointer to this class as its base
        std::map<std::string, Setter> setters;
        Adopter adopt;
        std::function<void(void*, LoadContext&)> loaded;
    };
    std::map<std::string, ClassInfo> classes_;
};

template <class T, class Base>
void ClassRegistry::addClass(const std::string& name, const std::string& baseName,
                             std::function<std::unique_ptr<T>(LoadContext&)> make) {
    ClassInfo info;
    info.base = baseName;
    info.create = [make, name](LoadContext& ctx) {
        if (!make) throw std::runtime_error(name + " cannot be made: it is only a base class");
        std::unique_ptr<T> made = make(ctx);
        Loaded l;
        l.className = name;
        l.object = made.get();
        l.type = typeid(T);
        if constexpr (std::is_base_of_v<engine::TGLComponent, T>) l.component = made.get();
        if constexpr (std::is_base_of_v<engine::TGLBaseSceneObject, T>)
            l.sceneObject = std::move(made);
        else
            l.keepAlive = std::shared_ptr<T>(std::move(made));
        return l;
    };
    if constexpr (!std::is_void_v<Base>)
        info.toBase = [](void* p) -> void* { return static_cast<Base*>(static_cast<T*>(p)); };
    classes_[name] = std::move(info);
}

} // namespace coilrun::scene
