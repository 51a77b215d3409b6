#pragma once
#include <cstdint>
#include <type_traits>

namespace coilrun {

// The keys the game polls.
enum class Key : std::uint8_t {
    W,
    A,
    S,
    D,
    Plus,
    Minus, // the steering characters
    Left,
    Up,
    Right,
    Down, // the arrows
    Space,
    Enter,
    Escape,
    M,
};

// What the player asks for in one frame, read once at its start: every key the game
// polls and the pointer's travel for mouse look. A plain value with no pointers, so
// that a run's frames can be stored and fed in again; most frames equal the one
// before.
struct Controls {
    // The pointer's travel from the screen centre in pixels (Y down) while mouse
    // look is on; 0 while it is off.
    std::int16_t lookX = 0, lookY = 0;
    // A bit for each Key: down now, or tapped since the frame before.
    std::uint16_t keys = 0;

    constexpr bool down(Key k) const { return (keys >> int(k)) & 1; }
    void set(Key k, bool down = true);
    // Whether the key of a steering character ('w', 'a', 's', 'd', '+', '-') is down;
    // false for any other character.
    bool charDown(char c) const;

    bool operator==(const Controls&) const = default;
};
static_assert(std::is_trivially_copyable_v<Controls> && sizeof(Controls) == 6);

} // namespace coilrun
