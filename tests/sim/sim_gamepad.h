#pragma once
#include "engine/platform/input.h"

namespace coilrun::sim {

// A game controller the test holds: what it sets is what the next poll reads.
class SimGamepad : public platform::Gamepad {
public:
    void beginPoll() override {}
    platform::PadState state() const override { return pad; }

    platform::PadState pad;
};

} // namespace coilrun::sim
