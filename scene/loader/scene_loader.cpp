#include "scene/loader/scene_loader.h"

namespace coilrun::scene {

Loaded ClassRegistry::create(const std::string& className, LoadContext& ctx) const {
    return classes_.at(className).create(ctx);
}

bool ClassRegistry::set(const std::string& className, void* object, const Property& p,
                        LoadContext& ctx) const {
    for (auto it = classes_.find(className); it != classes_.end();) {
        const ClassInfo& info = it->second;
        if (auto s = info.setters.find(p.name); s != info.setters.end()) {
            s->second(object, p, ctx);
            return true;
        }
        if (info.base.empty() || !info.toBase) return false;
        object = info.toBase(object);
        it = classes_.find(info.base);
    }
    return false;
}

bool ClassRegistry::adopt(const std::string& className, void* object, Loaded& child,
                          LoadContext& ctx) const {
    for (auto it = classes_.find(className); it != classes_.end();) {
        const ClassInfo& info = it->second;
        if (info.adopt) {
            info.adopt(object, child, ctx);
            return true;
        }
        if (info.base.empty() || !info.toBase) return false;
        object = info.toBase(object);
        it = classes_.find(info.base);
    }
    return false;
}

void ClassRegistry::finishLoading(const std::string& className, void* object,
                                  LoadContext& ctx) const {
    for (auto it = classes_.find(className); it != classes_.end();) {
        const ClassInfo& info = it->second;
        if (info.loaded) return info.loaded(object, ctx);
        if (info.base.empty() || !info.toBase) return;
        object = info.toBase(object);
        it = classes_.find(info.base);
    }
}

namespace {

const char* kindName(Value::Kind k) {
    switch (k) {
    case Value::Kind::Number:
        return "a number";
    case Value::Kind::Identifier:
        return "a name";
    case Value::Kind::String:
        return "a string";
    case Value::Kind::List:
        return "a list";
    }
    return "a value";
}

const Value& single(const LoadContext& ctx, const Property& p, Value::Kind kind) {
    if (p.values.size() != 1)
        ctx.fail(p.line, p.name + " takes one value, not " + std::to_string(p.values.size()));
    if (p.values[0].kind != kind)
        ctx.fail(p.line, p.name + " takes " + std::string(kindName(kind)) + ", not " +
                             kindName(p.values[0].kind));
    return p.values[0];
}

} // namespace

double LoadContext::number(const Property& p, std::size_t index) const {
    if (index >= p.values.size()) fail(p.line, p.name + " has too few values");
    if (p.values[index].kind != Value::Kind::Number)
        fail(p.line, p.name + " takes numbers, not " + kindName(p.values[index].kind));
    return p.values[index].number;
}

int LoadContext::integer(const Property& p) const {
    const double v = single(*this, p, Value::Kind::Number).number;
    if (v != double(int(v))) fail(p.line, p.name + " takes a whole number");
    return int(v);
}

bool LoadContext::boolean(const Property& p) const {
    const std::string& v = single(*this, p, Value::Kind::Identifier).text;
    if (v == "true" || v == "True") return true;
    if (v == "false" || v == "False") return false;
    fail(p.line, p.name + " takes true or false, not " + v);
}

const std::string& LoadContext::string(const Property& p) const {
    return single(*this, p, Value::Kind::String).text;
}

const std::string& LoadContext::identifier(const Property& p) const {
    return single(*this, p, Value::Kind::Identifier).text;
}

engine::Vec3 LoadContext::vec3(const Property& p) const {
    if (p.values.size() != 3) fail(p.line, p.name + " takes three numbers");
    return {float(number(p, 0)), float(number(p, 1)), float(number(p, 2))};
}

engine::Vec4 LoadContext::color(const Property& p) const {
    if (p.values.size() != 3 && p.values.size() != 4)
        fail(p.line, p.name + " takes three or four numbers (red, green, blue, alpha)");
    return {float(number(p, 0)), float(number(p, 1)), float(number(p, 2)),
            p.values.size() == 4 ? float(number(p, 3)) : 1.0f};
}

std::vector<std::string> LoadContext::strings(const Property& p) const {
    const Value& list = single(*this, p, Value::Kind::List);
    std::vector<std::string> out;
    for (const Value& v : list.items) {
        if (v.kind != Value::Kind::String) fail(v.line, p.name + " lists strings only");
        out.push_back(v.text);
    }
    return out;
}

namespace {

struct Builder {
    const ClassRegistry& registry;
    LoadContext& ctx;
    LoadedScene& out;
    // Declarations with their results, in file order, for the property pass.
    std::vector<std::pair<const Declaration*, Loaded*>> order;

    Loaded& make(const Declaration& d, const Loaded* parent) {
        if (!registry.knows(d.className)) ctx.fail(d.line, "unknown class " + d.className);
        if (out.byName.count(d.name))
            ctx.fail(d.line, "the name " + d.name + " is used twice (first on line " +
                                 std::to_string(out.byName[d.name]->line) + ")");
        Loaded made;
        try {
            made = registry.create(d.className, ctx);
        } catch (const SceneFileError&) {
            throw;
        } catch (const std::exception& e) {
            ctx.fail(d.line, e.what());
        }
        Loaded& l = out.all.emplace_back(std::move(made));
        l.name = d.name;
        if (parent) l.parentName = parent->name;
        l.line = d.line;
        if (l.component) l.component->setName(d.name);
        out.byName[d.name] = &l;
        order.emplace_back(&d, &l);
        return l;
    }

    // Builds d and its subtree; scene objects are placed under parent (null at the top).
    void build(const Declaration& d, Loaded* parent, engine::TGLBaseSceneObject* parentObject) {
        Loaded& l = make(d, parent);
        engine::TGLBaseSceneObject* self = l.sceneObject.get();
        engine::TGLBaseSceneObject* childParent = self;
        if (auto* scene = dynamic_cast<engine::TGLScene*>(l.component))
            childParent = &scene->objects();
        for (const auto& child : d.children)
            build(*child, &l, childParent);

        if (self) {
            if (!parentObject)
                ctx.fail(d.line, d.name + " is a scene object outside a scene: it has no parent");
            self->beginLoading();
            parentObject->addChild(std::move(l.sceneObject));
        } else if (parent && !registry.adopt(parent->className, parent->object, l, ctx)) {
            ctx.fail(d.line,
                     parent->className + " " + parent->name + " cannot hold a " + d.className);
        }
    }
};

} // namespace

LoadedScene loadScene(std::string_view text, const ClassRegistry& registry, LoadContext& ctx) {
    LoadedScene out;
    ctx.scene_ = &out;
    struct Reset {
        LoadContext& c;
        ~Reset() { c.scene_ = nullptr; }
    } reset{ctx};

    const auto declarations = parseSceneFile(text);
    Builder builder{registry, ctx, out, {}};
    for (const auto& d : declarations)
        builder.build(*d, nullptr, nullptr);

    for (auto& [decl, loaded] : builder.order) {
        for (const Property& p : decl->properties) {
            bool known = false;
            try {
                known = registry.set(loaded->className, loaded->object, p, ctx);
            } catch (const SceneFileError&) {
                throw;
            } catch (const std::exception& e) {
                ctx.fail(p.line, p.name + ": " + e.what());
            }
            if (!known) ctx.fail(p.line, loaded->className + " has no property " + p.name);
        }
    }
    // Loading ends in file order: of two sound outputs stored as active, the later
    // one ends up active.
    for (auto& [decl, loaded] : builder.order) {
        if (auto* object = dynamic_cast<engine::TGLBaseSceneObject*>(loaded->component))
            object->endLoading();
        try {
            registry.finishLoading(loaded->className, loaded->object, ctx);
        } catch (const SceneFileError&) {
            throw;
        } catch (const std::exception& e) {
            ctx.fail(loaded->line, loaded->name + ": " + e.what());
        }
    }
    return out;
}

} // namespace coilrun::scene
