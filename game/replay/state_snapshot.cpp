#include "game/replay/state_snapshot.h"

#include "engine/hud/game_menu.h"
#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/input/user_interface.h"
#include "engine/objects/camera.h"
#include "engine/objects/capsule.h"
#include "engine/objects/light_source.h"
#include "engine/objects/sphere.h"
#include "engine/sound/sound_manager.h"
#include "engine/text3d/space_text.h"
#include "engine/time/async_timer.h"
#include "engine/time/cadencer.h"
#include "engine/time/timer.h"
#include "game/scene_links.h"
#include "game/state/game_state_fields.h"
#include "scene/loader/scene_loader.h"

#include <cmath>
#include <sstream>
#include <type_traits>

namespace coilrun::replay {

namespace {

struct StateWriter {
    ByteWriter& out;
    void operator()(const char*, const std::string& v) { out.str(v); }
    void operator()(const char*, char v) { out.u8(std::uint8_t(v)); }
    void operator()(const char*, bool v) { out.u8(v ? 1 : 0); }
    void operator()(const char*, double v) { out.f64(v); }
    void operator()(const char*, int v) { out.svarint(v); }
    void operator()(const char*, std::uint32_t v) { out.u32(v); }
    void operator()(const char*, const Cell& c) {
        out.svarint(c.x), out.svarint(c.y), out.svarint(c.z);
    }
    void operator()(const char*, const OccupancyGrid& g) {
        for (int i = 0; i < OccupancyGrid::kCells; ++i)
            out.svarint(g.atIndex(i));
    }
    void operator()(const char*, const std::vector<OverlayLink>& links) {
        out.varint(links.size());
        for (OverlayLink l : links)
            out.u8(std::uint8_t(l));
    }
    void operator()(const char*, const std::optional<int>& v) {
        out.u8(v ? 1 : 0);
        if (v) out.svarint(*v);
    }
    void operator()(const char*, const std::mt19937&) {} // follows from the seed
};

struct StateReader {
    ByteReader& in;
    int integer() {
        const std::int64_t v = in.svarint();
        if (v < INT32_MIN || v > INT32_MAX) in.fail("a number out of range");
        return int(v);
    }
    void operator()(const char*, std::string& v) { v = in.str(); }
    void operator()(const char*, char& v) { v = char(in.u8()); }
    void operator()(const char*, bool& v) {
        const std::uint8_t b = in.u8();
        if (b > 1) in.fail("a flag that is neither set nor clear");
        v = b == 1;
    }
    void operator()(const char*, double& v) { v = in.f64(); }
    void operator()(const char*, int& v) { v = integer(); }
    void operator()(const char*, std::uint32_t& v) { v = in.u32(); }
    void operator()(const char*, Cell& c) { c.x = integer(), c.y = integer(), c.z = integer(); }
    void operator()(const char*, OccupancyGrid& g) {
        g.clear();
        for (int x = -3; x <= 3; ++x)
            for (int y = -3; y <= 3; ++y)
                for (int z = -3; z <= 3; ++z)
                    g.set({x, y, z}, integer());
    }
    void operator()(const char*, std::vector<OverlayLink>& links) {
        links.resize(in.count());
        for (OverlayLink& l : links) {
            const std::uint8_t v = in.u8();
            if (v > std::uint8_t(OverlayLink::velmoraPage)) in.fail("an unknown list link");
            l = OverlayLink(v);
        }
    }
    void operator()(const char*, std::optional<int>& v) {
        bool present = false;
        (*this)("", present);
        v.reset();
        if (present) v = integer();
    }
    void operator()(const char*, std::mt19937&) {}
};

struct StateDescriber {
    std::ostringstream& out;
    template <class T> void operator()(const char* name, const T& v) {
        out << name << "=";
        if constexpr (std::is_same_v<T, Cell>)
            out << v.x << "," << v.y << "," << v.z;
        else if constexpr (std::is_same_v<T, OccupancyGrid>)
            for (int i = 0; i < OccupancyGrid::kCells; ++i)
                out << (v.atIndex(i) ? std::to_string(v.atIndex(i)) : ".");
        else if constexpr (std::is_same_v<T, std::vector<OverlayLink>>)
            for (OverlayLink l : v)
                out << int(l) << " ";
        else if constexpr (std::is_same_v<T, std::optional<int>>)
            out << (v ? std::to_string(*v) : "none");
        else if constexpr (std::is_same_v<T, std::mt19937>)
            out << std::mt19937(v)();
        else if constexpr (std::is_same_v<T, char>)
            out << int(v);
        else if constexpr (std::is_same_v<T, double>)
            out.precision(17), out << v;
        else
            out << v;
        out << "\n";
    }
};

// The scene, entry by entry in file order. Each kind of entry stores what the play
// code sets on it at run time; authored properties it never changes are left out.
template <class IO> void visitEntry(const scene::Loaded& l, IO& io) {
    using namespace engine;
    if (l.type == typeid(engine::TTimer)) {
        auto* t = static_cast<engine::TTimer*>(l.object);
        io.flag([t] { return t->enabled(); }, [t](bool v) { t->setEnabled(v); });
        return;
    }
    if (l.type == typeid(engine::TAsyncTimer)) {
        auto* t = static_cast<engine::TAsyncTimer*>(l.object);
        io.flag([t] { return t->enabled(); }, [t](bool v) { t->setEnabled(v); });
        return;
    }
    if (l.type == typeid(engine::TGLCadencer)) {
        auto* c = static_cast<engine::TGLCadencer*>(l.object);
        io.flag([c] { return c->enabled(); }, [c](bool v) { c->setEnabled(v); });
        return;
    }
    if (l.type == typeid(engine::TGLUserInterface)) {
        auto* ui = static_cast<engine::TGLUserInterface*>(l.object);
        io.flag([ui] { return ui->mouseLookActive(); },
                [ui](bool v) { v ? ui->MouseLookActivate() : ui->MouseLookDeactivate(); });
        return;
    }
    if (auto* sound = dynamic_cast<TGLSoundManager*>(l.component)) {
        io.flag([sound] { return sound->active(); }, [sound](bool v) { sound->setActive(v); });
        return;
    }
    auto* o = dynamic_cast<TGLBaseSceneObject*>(l.component);
    if (!o) return;
    io.coordinates(o->position());
    io.coordinates(o->direction());
    io.coordinates(o->up());
    io.coordinates(o->scale());
    io.flag([o] { return o->visible(); }, [o](bool v) { o->setVisible(v); });
    if (auto* t = dynamic_cast<TGLHUDText*>(o)) {
        io.text([t] { return t->text(); }, [t](const std::string& v) { t->setText(v); });
        io.color(t->modulateColor());
    } else if (auto* t = dynamic_cast<TGLSpaceText*>(o)) {
        io.text([t] { return t->text(); }, [t](const std::string& v) { t->setText(v); });
    } else if (auto* light = dynamic_cast<TGLLightSource*>(o)) {
        io.flag([light] { return light->shining(); }, [light](bool v) { light->setShining(v); });
        io.number([light] { return light->constAttenuation(); },
                  [light](float v) { light->setConstAttenuation(v); });
        io.color(light->diffuse());
        io.color(light->ambient());
    } else if (auto* sphere = dynamic_cast<TGLSphere*>(o)) {
        io.number([sphere] { return sphere->radius(); },
                  [sphere](float v) { sphere->setRadius(v); });
    } else if (auto* capsule = dynamic_cast<TGLCapsule*>(o)) {
        io.number([capsule] { return capsule->height(); },
                  [capsule](float v) { capsule->setHeight(v); });
    } else if (auto* sprite = dynamic_cast<TGLHUDSprite*>(o)) {
        io.number([sprite] { return sprite->width(); }, [sprite](float v) { sprite->setWidth(v); });
        io.number([sprite] { return sprite->height(); },
                  [sprite](float v) { sprite->setHeight(v); });
    } else if (auto* camera = dynamic_cast<TGLCamera*>(o)) {
        io.number([camera] { return camera->focalLength(); },
                  [camera](float v) { camera->setFocalLength(v); });
        io.number([camera] { return camera->sceneScale(); },
                  [camera](float v) { camera->setSceneScale(v); });
    } else if (auto* menu = dynamic_cast<TGLGameMenu*>(o)) {
        io.items(*menu);
        io.color(menu->activeColor());
        io.color(menu->inactiveColor());
        io.color(menu->disabledColor());
    }
}

struct SceneWriter {
    ByteWriter& out;
    void coordinates(const engine::TGLCoordinates3& c) {
        for (int i = 0; i < 4; ++i)
            out.f32(c[i]);
    }
    void color(const engine::TGLColor& c) {
        for (int i = 0; i < 4; ++i)
            out.f32(c.data()[i]);
    }
    template <class Get, class Set> void flag(Get get, Set) { out.u8(get() ? 1 : 0); }
    template <class Get, class Set> void number(Get get, Set) { out.f32(get()); }
    template <class Get, class Set> void text(Get get, Set) { out.str(get()); }
    void items(const engine::TGLGameMenu& menu) {
        out.varint(menu.items().size());
        for (const std::string& item : menu.items())
            out.str(item);
        out.svarint(menu.selected());
    }
};

struct SceneReader {
    ByteReader& in;
    engine::Vec4 four() {
        engine::Vec4 v;
        for (int i = 0; i < 4; ++i) {
            v[i] = in.f32();
            if (!std::isfinite(v[i])) in.fail("a value that is not a number");
        }
        return v;
    }
    void coordinates(engine::TGLCoordinates3& c) { c.setVector(four()); }
    void color(engine::TGLColor& c) { c.setColor(four()); }
    template <class Get, class Set> void flag(Get, Set set) {
        const std::uint8_t b = in.u8();
        if (b > 1) in.fail("a flag that is neither set nor clear");
        set(b == 1);
    }
    template <class Get, class Set> void number(Get, Set set) {
        const float v = in.f32();
        if (!std::isfinite(v)) in.fail("a value that is not a number");
        set(v);
    }
    template <class Get, class Set> void text(Get, Set set) { set(in.str()); }
    void items(engine::TGLGameMenu& menu) {
        std::vector<std::string> items(in.count());
        for (std::string& item : items)
            item = in.str();
        menu.setItems(items);
        const std::int64_t selected = in.svarint();
        if (selected < -1 || selected >= std::int64_t(items.size()))
            in.fail("a menu line out of range");
        menu.setSelected(int(selected));
    }
};

// The scene's declarations by name and class: a run recorded with another scene
// cannot be restored into this one.
std::uint32_t sceneFingerprint(const scene::LoadedScene& scene) {
    std::uint32_t h = 2166136261u;
    auto mix = [&h](const std::string& s) {
        for (unsigned char c : s)
            h = (h ^ c) * 16777619u;
        h = (h ^ 0xff) * 16777619u;
    };
    for (const scene::Loaded& l : scene.all) {
        mix(l.name);
        mix(l.className);
    }
    return h;
}

} // namespace

void writeGameState(ByteWriter& out, const GameState& state) {
    StateWriter w{out};
    forEachField(state, w);
}

void readGameState(ByteReader& in, GameState& state) {
    StateReader r{in};
    forEachField(state, r);
    state.speckDice.seed(state.diceSeed);
    // What the play code counts on: a state no game can reach is not re-played.
    auto direction = [](const std::string& d) {
        return d.empty() || d == "w" || d == "a" || d == "s" || d == "d" || d == "up" ||
               d == "down";
    };
    const bool fits = direction(state.requestedDirection) && direction(state.stepDirection) &&
                      state.snakeLength >= 0 && state.snakeLength <= SceneLinks::kSegments - 1 &&
                      state.lastStepLength >= 0 &&
                      state.lastStepLength <= SceneLinks::kSegments - 1 && state.level >= 1 &&
                      state.maxLevel >= 1 && insidePlayfield(state.speckCell) &&
                      insidePlayfield(state.eatenCell) && state.listTop >= 0 &&
                      state.howToPage >= 0 && state.howToPage <= 4;
    if (!fits) in.fail("a game state no game reaches");
    for (int i = 0; i < OccupancyGrid::kCells; ++i)
        if (state.occupancy.atIndex(i) < 0 ||
            state.occupancy.atIndex(i) > 2 * SceneLinks::kSegments)
            in.fail("a game state no game reaches");
}

std::string describeGameState(const GameState& state) {
    std::ostringstream out;
    StateDescriber d{out};
    forEachField(state, d);
    return out.str();
}

void writeScene(ByteWriter& out, const scene::LoadedScene& scene) {
    out.u32(sceneFingerprint(scene));
    SceneWriter w{out};
    for (const scene::Loaded& l : scene.all)
        visitEntry(l, w);
}

void readScene(ByteReader& in, const scene::LoadedScene& scene) {
    if (in.u32() != sceneFingerprint(scene)) in.fail("recorded with another version of the scene");
    SceneReader r{in};
    for (const scene::Loaded& l : scene.all)
        visitEntry(l, r);
}

} // namespace coilrun::replay
