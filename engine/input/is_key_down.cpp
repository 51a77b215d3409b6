#include "engine/input/is_key_down.h"

#include "engine/platform/virtual_keys.h"

namespace coilrun::engine {

bool IsKeyDown(const platform::Keyboard& keyboard, char c) {
    const int key = usLayoutVirtualKey(c);
    if (key != vk::none && keyboard.isVirtualKeyDown(key)) return true;
    if (c == '+') return keyboard.isVirtualKeyDown(vk::add);
    if (c == '-') return keyboard.isVirtualKeyDown(vk::subtract);
    return false;
}

bool IsKeyDown(const platform::Keyboard& keyboard, int virtualKey) {
    return keyboard.isVirtualKeyDown(virtualKey);
}

} // namespace coilrun::engine
