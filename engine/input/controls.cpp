#include "engine/input/controls.h"

namespace coilrun::engine {

void Controls::set(Key k, bool down) {
    const auto bit = std::uint16_t(1u << int(k));
    keys = down ? std::uint16_t(keys | bit) : std::uint16_t(keys & ~bit);
}

void Controls::set(PadSignal s, bool on) {
    const auto bit = std::uint8_t(1u << int(s));
    pad = on ? std::uint8_t(pad | bit) : std::uint8_t(pad & ~bit);
}

bool Controls::charDown(char c) const {
    switch (c) {
    case 'w':
        return down(Key::W);
    case 'a':
        return down(Key::A);
    case 's':
        return down(Key::S);
    case 'd':
        return down(Key::D);
    case '+':
        return down(Key::Plus);
    case '-':
        return down(Key::Minus);
    default:
        return false;
    }
}

} // namespace coilrun::engine
