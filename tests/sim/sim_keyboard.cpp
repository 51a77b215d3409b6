#include "tests/sim/sim_keyboard.h"

#include "engine/input/virtual_keys.h"

namespace coilrun::sim {

int SimKeyboard::virtualKeyForChar(char c) const {
    return usLayoutVirtualKey(c);
}

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
