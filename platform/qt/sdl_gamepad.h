#pragma once
#include "engine/input/key_state.h"
#include "engine/platform/input.h"

#include <cstdint>

// SDL stays out of every file that includes this one.
struct _SDL_GameController;
union SDL_Event;

namespace coilrun::qt {

// Game controllers through SDL's game-controller layer, without its video: the
// first pad connected plays until it is pulled out, then the next one connected
// does. Button presses come as events between polls, so that a press let go before
// the next poll still reads down once. Without a working controller layer there is
// never a pad.
class SdlGamepad : public platform::Gamepad {
public:
    SdlGamepad();
    ~SdlGamepad() override;
    SdlGamepad(const SdlGamepad&) = delete;
    SdlGamepad& operator=(const SdlGamepad&) = delete;

    void beginPoll() override;
    platform::PadState state() const override { return state_; }

private:
    void take(const SDL_Event& event);
    void openFirst();
    void close();

    bool ready_ = false;
    _SDL_GameController* pad_ = nullptr;
    std::int32_t id_ = -1; // its joystick's instance
    engine::KeyState buttons_;
    platform::PadState state_;
};

} // namespace coilrun::qt
