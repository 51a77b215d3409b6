#pragma once
#include "engine/input/controls.h"
#include "engine/platform/input.h"

namespace coilrun::engine {

// Turns a game controller's state, poll after poll, into what the frame's controls
// hold of it. The left stick counts as pushed once it leaves its dead zone, toward
// the axis it leans on most, and is not pushed again until it has come back near the
// centre: a stick held to one side asks once, as a press of the key does. The d-pad,
// A or Start and B or Back are told in the poll they go down. Y holds 'm'. The right
// stick gives its lean beyond a smaller dead zone, for turning the view.
class PadReader {
public:
    // Stick leans, of 32767, beyond which the left stick is pushed and within which
    // it is back; within which the right stick turns nothing.
    static constexpr int pushAt = 16000, backAt = 8000, lookDeadZone = 6000;

    // Adds what the pad asks for in this poll to controls.
    void read(const platform::PadState& pad, Controls& controls);

private:
    platform::PadState last_;
    bool stickPushed_ = false;
};

} // namespace coilrun::engine
