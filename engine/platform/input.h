#pragma once
#include "engine/platform/window.h"

namespace coilrun::platform {

// The keyboard as it is at this moment, fed from press and release events of the
// window it listens to.
class Keyboard {
public:
    virtual ~Keyboard() = default;
    // Only keys typed into this window count from now on; while another window has the
    // keyboard every key reads up. Until it is called, keys typed anywhere count.
    virtual void listenTo(const Window& window) = 0;
    // Starts a poll (one frame's reading of the keys): a key pressed and let go since
    // the last poll reads down until the next one, however brief the press.
    virtual void beginPoll() = 0;
    // Whether the physical key with this virtual-key code (Windows numbering: 27
    // Escape, 37..40 arrows, 'A'..'Z', '0'..'9', 0xBB '=', 0xBD '-', 0x6B/0x6D keypad
    // + -) is down. Which key types a character is the engine's business
    // (engine/platform/virtual_keys.h), not the platform's.
    virtual bool isVirtualKeyDown(int vk) const = 0;
};

// The system pointer.
class Cursor {
public:
    virtual ~Cursor() = default;
    // Screen pixels.
    virtual Point position() const = 0;
    virtual void setPosition(Point p) = 0;
    // ShowCursor: raises (true) or lowers (false) the display count and returns it;
    // the cursor is shown while the count is >= 0.
    virtual int showCursor(bool show) = 0;
};

} // namespace coilrun::platform
