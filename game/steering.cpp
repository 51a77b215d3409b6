#include "game/steering.h"

namespace coilrun {

std::string steer(const SteeringKeys& keys, const engine::Vec3& d, std::string requested) {
    const char* chosen = nullptr; // null: the keys ask for nothing new
    if (keys.up) chosen = "up";
    if (keys.down) chosen = "down";
    if (d.x > -0.7f && d.x <= 0.7f) {
        if (d.z > 0) {
            if (keys.right) chosen = "d";
            if (keys.left) chosen = "a";
        } else {
            if (keys.right) chosen = "a";
            if (keys.left) chosen = "d";
        }
    }
    if (d.x > 0.7f) {
        if (keys.right) chosen = "w";
        if (keys.left) chosen = "s";
    }
    if (d.x < -0.7f) {
        if (keys.right) chosen = "s";
        if (keys.left) chosen = "w";
    }
    return chosen ? std::string(chosen) : requested;
}

std::string oppositeOf(const std::string& direction) {
    if (direction == "w") return "s";
    if (direction == "s") return "w";
    if (direction == "a") return "d";
    if (direction == "d") return "a";
    if (direction == "up") return "down";
    if (direction == "down") return "up";
    return "";
}

std::string withoutReversal(const std::string& requested, const std::string& stepDirection) {
    if (!requested.empty() && requested == oppositeOf(stepDirection)) return stepDirection;
    return requested;
}

engine::Vec3 stepVector(const std::string& direction) {
    if (direction == "d") return {1, 0, 0};
    if (direction == "a") return {-1, 0, 0};
    if (direction == "up") return {0, 1, 0};
    if (direction == "down") return {0, -1, 0};
    if (direction == "s") return {0, 0, 1};
    if (direction == "w") return {0, 0, -1};
    return {0, 0, 0};
}

bool isPositiveDirection(const std::string& direction) {
    return direction == "d" || direction == "up" || direction == "s";
}

int axisOf(const std::string& direction) {
    if (direction == "a" || direction == "d") return 0;
    if (direction == "up" || direction == "down") return 1;
    if (direction == "w" || direction == "s") return 2;
    return -1;
}

} // namespace coilrun
