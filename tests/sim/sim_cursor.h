#pragma once
#include "engine/platform/input.h"

#include <vector>

namespace coilrun::sim {

// The pointer as a test moves it; it remembers where the program put it.
class SimCursor : public platform::Cursor {
public:
    platform::Point position() const override { return pos; }
    void setPosition(platform::Point p) override {
        pos = p;
        moves.push_back(p);
    }
    int showCursor(bool show) override { return show ? ++showCount : --showCount; }
    bool visible() const { return showCount >= 0; }

    // The user moves the pointer (not recorded in moves).
    void moveTo(platform::Point p) { pos = p; }

    platform::Point pos{0, 0};
    int showCount = 0;
    // Every setPosition by the program, in order.
    std::vector<platform::Point> moves;
};

} // namespace coilrun::sim
