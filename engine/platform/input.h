#pragma once
#include "engine/platform/window.h"

#include <cstdint>

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

// The buttons of a game controller, named by their place on a console pad.
enum class PadButton : std::uint8_t {
    A,
    B,
    X,
    Y,
    Back,
    Start,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
};

// One game controller as the last poll found it.
struct PadState {
    bool connected = false;
    // A bit for each PadButton.
    std::uint16_t buttons = 0;
    // The sticks, -32768 .. 32767 on each axis, X to the right and Y downward.
    std::int16_t leftX = 0, leftY = 0, rightX = 0, rightY = 0;

    constexpr bool down(PadButton b) const { return (buttons >> int(b)) & 1; }
    constexpr void set(PadButton b, bool down) {
        const auto bit = std::uint16_t(1u << int(b));
        buttons = down ? std::uint16_t(buttons | bit) : std::uint16_t(buttons & ~bit);
    }
};

// The game controllers: the first one connected plays; one plugged in or pulled out
// while the program runs is taken or let go at the next poll.
class Gamepad {
public:
    virtual ~Gamepad() = default;
    // Starts a poll, as the keyboard's does: a button pressed and let go since the
    // last poll reads down until the next one.
    virtual void beginPoll() = 0;
    // The playing pad; not connected when there is none.
    virtual PadState state() const = 0;
};

} // namespace coilrun::platform
