#pragma once
#include "engine/input/key_state.h"
#include "engine/platform/input.h"

namespace coilrun::sim {

// Keys a test holds down, on a US layout.
class SimKeyboard : public platform::Keyboard {
public:
    // There is no window focus to route keys here: whatever a test presses is typed
    // into the window listened to.
    void listenTo(const platform::Window&) override {}
    void beginPoll() override { keys_.beginPoll(); }
    bool isVirtualKeyDown(int vk) const override { return keys_.isDown(vk); }

    void press(int vk) { keys_.press(vk); }
    void release(int vk) { keys_.release(vk); }
    // The window lost the keyboard: nothing stays down.
    void releaseAll() { keys_.releaseAll(); }
    // Presses or releases the key that types c; false when no key types it.
    bool pressChar(char c);
    bool releaseChar(char c);

private:
    engine::KeyState keys_;
};

} // namespace coilrun::sim
