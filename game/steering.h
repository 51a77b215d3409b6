#pragma once
#include "engine/objects/vector_math.h"

#include <string>

namespace coilrun {

// The steering keys held in this frame.
struct SteeringKeys {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
};

// The direction the keys ask for, given the camera rig's direction (scene
// coordinates) and what was asked before. Up and down are world axes; left and
// right follow the view, so the player steers as seen on the screen. Each later
// rule overrides an earlier one: up, down, then right, then left. There is no key
// for moving toward or away from the viewer: turning the rig reaches those axes.
std::string steer(const SteeringKeys& keys, const engine::Vec3& rigDirection,
                  std::string requested);

// The opposite of a direction ("" for none or an unknown one).
std::string oppositeOf(const std::string& direction);

// A request to reverse turns into going straight on.
std::string withoutReversal(const std::string& requested, const std::string& stepDirection);

// The unit step of a direction along the world axes; zero for none.
engine::Vec3 stepVector(const std::string& direction);

// Whether a direction runs along +X, +Y or +Z ("d", "up", "s").
bool isPositiveDirection(const std::string& direction);

// 0 for X ("a", "d"), 1 for Y ("up", "down"), 2 for Z ("w", "s"), -1 for none.
int axisOf(const std::string& direction);

} // namespace coilrun
