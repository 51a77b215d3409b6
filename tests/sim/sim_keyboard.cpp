#include "tests/sim/sim_keyboard.h"

#include "engine/platform/virtual_keys.h"

namespace coilrun::sim {

bool SimKeyboard::pressChar(char c) {
    const int key = usLayoutVirtualKey(c);
    if (key == vk::none) return false;
    press(key);
    return true;
}

bool SimKeyboard::releaseChar(char c) {
    const int key = usLayoutVirtualKey(c);
    if (key == vk::none) return false;
    release(key);
    return true;
}

} // namespace coilrun::sim
