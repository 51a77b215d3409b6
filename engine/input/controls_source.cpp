#include "engine/input/controls_source.h"

#include "engine/input/is_key_down.h"
#include "engine/platform/virtual_keys.h"

#include <algorithm>

namespace coilrun::engine {
namespace {

std::int16_t travel(int from, int to) {
    return std::int16_t(std::clamp(to - from, -32768, 32767));
}

} // namespace

Controls readKeys(const platform::Keyboard& k) {
    Controls c;
    c.set(Key::W, IsKeyDown(k, 'w'));
    c.set(Key::A, IsKeyDown(k, 'a'));
    c.set(Key::S, IsKeyDown(k, 's'));
    c.set(Key::D, IsKeyDown(k, 'd'));
    c.set(Key::Plus, IsKeyDown(k, '+'));
    c.set(Key::Minus, IsKeyDown(k, '-'));
    c.set(Key::Left, IsKeyDown(k, vk::left));
    c.set(Key::Up, IsKeyDown(k, vk::up));
    c.set(Key::Right, IsKeyDown(k, vk::right));
    c.set(Key::Down, IsKeyDown(k, vk::down));
    c.set(Key::Space, IsKeyDown(k, ' '));
    c.set(Key::Enter, IsKeyDown(k, vk::enter));
    c.set(Key::Escape, IsKeyDown(k, vk::escape));
    c.set(Key::M, IsKeyDown(k, 'm'));
    return c;
}

PlatformControls::PlatformControls(platform::Keyboard& keyboard, const platform::Cursor& cursor,
                                   platform::Gamepad& gamepad)
    : keyboard_(keyboard), cursor_(cursor), gamepad_(gamepad) {}

Controls PlatformControls::read(const TGLUserInterface& mouseLook) {
    keyboard_.beginPoll();
    Controls c = readKeys(keyboard_);
    if (mouseLook.mouseLookActive()) {
        const platform::Point at = cursor_.position(), centre = mouseLook.screenCentre();
        c.lookX = travel(centre.x, at.x);
        c.lookY = travel(centre.y, at.y);
    }
    gamepad_.beginPoll();
    pad_.read(gamepad_.state(), c);
    return c;
}

} // namespace coilrun::engine
