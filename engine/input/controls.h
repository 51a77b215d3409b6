#pragma once
#include <cstdint>
#include <type_traits>

namespace coilrun::engine {

// The keys the game polls.
enum class Key : std::uint8_t {
    // clang-format off
    W, A, S, D, Plus, Minus, // the steering characters
    Left, Up, Right, Down,   // the arrows
    Space, Enter, Escape, M,
    // clang-format on
};

// What a game controller asks for: a push of the left stick or the d-pad, told in the one frame it
// begins however long it is held, and a press of A or Start (Confirm) or of B or Back (Cancel),
// told likewise. A menu on the screen takes them for itself; elsewhere Confirm is Space and Cancel
// is Escape.
enum class PadSignal : std::uint8_t {
    PushLeft,
    PushRight,
    PushUp,
    PushDown,
    Confirm,
    Cancel,
    Mute, // Y, held: the 'm' key
};

// What the player asks for in one frame, read once at its start: every key the game
// polls, the pointer's travel for mouse look and the game controller. A plain value
// with no pointers, so that a run's frames can be stored and fed in again; most
// frames equal the one before.
struct Controls {
    // The pointer's travel from the screen centre in pixels (Y down) while mouse
    // look is on; 0 while it is off.
    std::int16_t lookX = 0, lookY = 0;
    // A bit for each Key: down now, or tapped since the frame before.
    std::uint16_t keys = 0;
    // A bit for each PadSignal.
    std::uint8_t pad = 0;
    // The right stick beyond its dead zone, -127 .. 127 (X right, Y down): how fast
    // the player turns the view.
    std::int8_t stickX = 0, stickY = 0;

    constexpr bool down(Key k) const { return (keys >> int(k)) & 1; }
    constexpr bool has(PadSignal s) const { return (pad >> int(s)) & 1; }
    void set(Key k, bool down = true);
    void set(PadSignal s, bool on = true);
    // Whether the key of a steering character ('w', 'a', 's', 'd', '+', '-') is down;
    // false for any other character.
    bool charDown(char c) const;

    bool operator==(const Controls&) const = default;
};
static_assert(std::is_trivially_copyable_v<Controls> && sizeof(Controls) == 10);

} // namespace coilrun::engine
