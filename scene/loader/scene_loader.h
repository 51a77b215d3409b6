#pragma once
#include "engine/objects/color.h"
#include "engine/objects/scene.h"
#include "engine/objects/vector_math.h"
#include "engine/platform/platform.h"
#include "scene/loader/class_registry.h"

#include <any>
#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <vector>

namespace coilrun::scene {

// Event handlers by the names a scene file gives them ("Cadencer1Progress"),
// each a std::function of the event's type.
using HandlerTable = std::map<std::string, std::any>;

// Everything a scene file declared, found by name.
class LoadedScene {
public:
    LoadedScene() = default;
    LoadedScene(LoadedScene&&) = default;
    LoadedScene& operator=(LoadedScene&&) = default;
    // What was declared last goes first: components before the scene they refer to.
    ~LoadedScene() {
        byName.clear();
        while (!all.empty())
            all.pop_back();
    }

    // The object or component called name, as T; throws std::runtime_error naming the
    // object when there is none or it is of another class, so that a name the game
    // needs fails at start-up, not in the middle of a frame.
    template <class T> T& get(const std::string& name) const {
        auto it = byName.find(name);
        if (it == byName.end())
            throw std::runtime_error("the scene has no object named '" + name + "'");
        if (T* t = cast<T>(*it->second)) return *t;
        throw std::runtime_error("'" + name + "' in the scene is a " + it->second->className +
                                 ", not the kind of object the game expects");
    }
    template <class T> T* find(const std::string& name) const {
        auto it = byName.find(name);
        return it == byName.end() ? nullptr : cast<T>(*it->second);
    }
    bool has(const std::string& name) const { return byName.count(name) > 0; }

    std::map<std::string, Loaded*> byName;
    std::deque<Loaded> all; // every declaration, in file order
    // Handler names the file used that the handler table lacked.
    std::vector<std::string> missingHandlers;

private:
    template <class T> static T* cast(const Loaded& l) {
        if constexpr (std::is_base_of_v<engine::TGLComponent, T>) {
            return l.component ? dynamic_cast<T*>(l.component) : nullptr;
        } else {
            // Not a component: only the exact declared class can be asked for.
            return l.type == std::type_index(typeid(T)) ? static_cast<T*>(l.object) : nullptr;
        }
    }
};

// What property setters get: the platform, the handlers, the objects loaded so
// far, and the readers of property values.
class LoadContext {
public:
    LoadContext(platform::Platform* platform, const HandlerTable* handlers)
        : platform_(platform), handlers_(handlers) {}

    platform::Platform& platform() const {
        if (!platform_) throw std::runtime_error("this scene needs a platform to load");
        return *platform_;
    }

    // Services the setters need beyond the platform (a cadencer pump, a sound
    // context): provided by whoever loads, found by type.
    template <class T> void provide(T& service) {
        services_[std::type_index(typeid(T))] = &service;
    }
    template <class T> T& service() const {
        auto it = services_.find(std::type_index(typeid(T)));
        if (it == services_.end())
            throw std::runtime_error(std::string("this scene needs a service the loader lacks: ") +
                                     typeid(T).name());
        return *static_cast<T*>(it->second);
    }

    [[noreturn]] void fail(int line, const std::string& message) const {
        throw SceneFileError(line, message);
    }

    // Property readers: each checks the kind and count of the values.
    double number(const Property& p, std::size_t index = 0) const;
    int integer(const Property& p) const;
    bool boolean(const Property& p) const;
    const std::string& string(const Property& p) const;
    const std::string& identifier(const Property& p) const;
    engine::Vec3 vec3(const Property& p) const;
    // Three or four numbers (alpha 1 when left out).
    engine::Vec4 color(const Property& p) const;
    std::vector<std::string> strings(const Property& p) const;

    // The object named by the property's value, as T.
    template <class T> T& reference(const Property& p) const {
        const std::string& name = identifier(p);
        if (!scene_ || !scene_->has(name)) fail(p.line, "no object is named '" + name + "'");
        if (T* t = scene_->find<T>(name)) return *t;
        fail(p.line, "'" + name + "' is not of the kind " + p.name + " needs");
    }

    // Whether some declaration is called name.
    bool knows(const std::string& name) const { return scene_ && scene_->has(name); }

    // The declarations nested in the one called name, in file order.
    std::vector<const Loaded*> childrenOf(const std::string& name) const {
        std::vector<const Loaded*> out;
        if (scene_)
            for (const Loaded& l : scene_->all)
                if (l.parentName == name) out.push_back(&l);
        return out;
    }

    // The handler named by the property's value; an empty function (and a note in
    // missingHandlers) when the table lacks it.
    template <class F> F handler(const Property& p) const {
        const std::string& name = identifier(p);
        if (handlers_) {
            auto it = handlers_->find(name);
            if (it != handlers_->end()) {
                if (const F* f = std::any_cast<F>(&it->second)) return *f;
                fail(p.line, "the handler " + name + " does not fit " + p.name);
            }
        }
        if (scene_) scene_->missingHandlers.push_back(name);
        return {};
    }

private:
    friend LoadedScene loadScene(std::string_view, const ClassRegistry&, LoadContext&);
    platform::Platform* platform_;
    const HandlerTable* handlers_;
    LoadedScene* scene_ = nullptr;
    std::map<std::type_index, void*> services_;
};

template <class T> void ClassRegistry::addProvidedClass(const std::string& name) {
    ClassInfo info;
    info.create = [name](LoadContext& ctx) {
        T& given = ctx.service<T>();
        Loaded l;
        l.className = name;
        l.object = &given;
        l.type = typeid(T);
        if constexpr (std::is_base_of_v<engine::TGLComponent, T>) l.component = &given;
        return l;
    };
    classes_[name] = std::move(info);
}

// Reads a scene file: creates every declared object by its class, places scene
// objects under their parents in order, then sets every property in file order
// (so references to objects declared later resolve). Throws SceneFileError with
// the line for an unknown class, a duplicate name, a scene object outside a
// scene, an unknown property or a bad value.
LoadedScene loadScene(std::string_view text, const ClassRegistry& registry, LoadContext& ctx);

} // namespace coilrun::scene
