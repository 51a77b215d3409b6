#pragma once
#include "engine/input/controls.h"
#include "engine/input/pad_reader.h"
#include "engine/input/user_interface.h"
#include "engine/platform/input.h"

namespace coilrun::engine {

// Where each frame's controls come from. The frame reads them once, at its start; a
// re-player feeds in the controls it recorded instead of the platform's.
class ControlsSource {
public:
    virtual ~ControlsSource() = default;
    // The controls of the frame that begins now. Mouse look says whether the
    // pointer's travel counts, and from where it is measured.
    virtual Controls read(const TGLUserInterface& mouseLook) = 0;
};

// The controls as the platform has them now: a new poll of the keyboard (a key
// tapped since the last one reads down once), the pointer's travel from the screen
// centre while mouse look is on, and a new poll of the game controller.
class PlatformControls : public ControlsSource {
public:
    PlatformControls(platform::Keyboard& keyboard, const platform::Cursor& cursor,
                     platform::Gamepad& gamepad);
    Controls read(const TGLUserInterface& mouseLook) override;

private:
    platform::Keyboard& keyboard_;
    const platform::Cursor& cursor_;
    platform::Gamepad& gamepad_;
    PadReader pad_;
};

// The keys of the current poll, as a frame's controls hold them.
Controls readKeys(const platform::Keyboard& keyboard);

} // namespace coilrun::engine
