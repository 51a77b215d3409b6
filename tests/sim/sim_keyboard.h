#pragma once
#include "engine/platform/input.h"

#include <set>

namespace coilrun::sim {

// Keys a test holds down, on a US layout.
class SimKeyboard : public platform::Keyboard {
public:
    bool isVirtualKeyDown(int vk) const override { return down_.count(vk) != 0; }
    int virtualKeyForChar(char c) const override;

    void press(int vk) { down_.insert(vk); }
    void release(int vk) { down_.erase(vk); }
    // The window lost the keyboard: nothing stays down.
    void releaseAll() { down_.clear(); }
    // Presses or releases the key that types c; false when no key types it.
    bool pressChar(char c);
    bool releaseChar(char c);

private:
    std::set<int> down_;
};

} // namespace coilrun::sim
