#include "engine/input/pad_reader.h"

#include <algorithm>
#include <cstdlib>

namespace coilrun::engine {
namespace {

using platform::PadButton;

std::int8_t lookLean(int axis) {
    const int size = std::abs(axis);
    if (size <= PadReader::lookDeadZone) return 0;
    const int lean =
        (std::min(size, 32767) - PadReader::lookDeadZone) * 127 / (32767 - PadReader::lookDeadZone);
    return std::int8_t(axis < 0 ? -lean : lean);
}

} // namespace

void PadReader::read(const platform::PadState& pad, Controls& c) {
    if (!pad.connected) {
        last_ = {};
        stickPushed_ = false;
        return;
    }
    const auto wentDown = [&](PadButton b) { return pad.down(b) && !last_.down(b); };

    const int x = pad.leftX, y = pad.leftY;
    const int along = std::max(std::abs(x), std::abs(y));
    bool stickLeft = false, stickRight = false, stickUp = false, stickDown = false;
    if (!stickPushed_ && along > pushAt) {
        stickPushed_ = true;
        if (std::abs(x) >= std::abs(y))
            (x < 0 ? stickLeft : stickRight) = true;
        else
            (y < 0 ? stickUp : stickDown) = true;
    } else if (stickPushed_ && along < backAt) {
        stickPushed_ = false;
    }

    if (stickLeft || wentDown(PadButton::DpadLeft)) c.set(PadSignal::PushLeft);
    if (stickRight || wentDown(PadButton::DpadRight)) c.set(PadSignal::PushRight);
    if (stickUp || wentDown(PadButton::DpadUp)) c.set(PadSignal::PushUp);
    if (stickDown || wentDown(PadButton::DpadDown)) c.set(PadSignal::PushDown);
    if (wentDown(PadButton::A) || wentDown(PadButton::Start)) c.set(PadSignal::Confirm);
    if (wentDown(PadButton::B) || wentDown(PadButton::Back)) c.set(PadSignal::Cancel);
    if (pad.down(PadButton::Y)) c.set(PadSignal::Mute);
    c.stickX = lookLean(pad.rightX);
    c.stickY = lookLean(pad.rightY);
    last_ = pad;
}

} // namespace coilrun::engine
