#pragma once
// Closed courses for a snake that is to move for a long time without eating or
// dying, and the direction of a step between two of their cells.
#include "game/occupancy_grid.h"
#include "game/steering.h"

#include <string>
#include <vector>

namespace coilrun::scenario {

// 40 cells that keep off the outer layer (where every frame would start the warning
// sound) and pass the centre, where a level starts: a round trip through a 4 x 5
// block of cells in layer y = 0 and back through the same block in layer y = 1.
inline std::vector<Cell> innerCourse() {
    std::vector<Cell> layer{{-2, 0, -2}};
    for (int x = -2; x <= 1; ++x) {
        const bool ascending = (x + 2) % 2 == 0;
        for (int i = 0; i < 4; ++i)
            layer.push_back({x, 0, ascending ? -1 + i : 2 - i});
    }
    for (int x = 1; x >= -1; --x)
        layer.push_back({x, 0, -2});
    std::vector<Cell> cycle = layer;
    for (auto it = layer.rbegin(); it != layer.rend(); ++it)
        cycle.push_back({it->x, 1, it->z});
    return cycle;
}

// The flat stage's course: the ring of 16 cells two cells out from the centre of the
// plane z = 0 (a snake standing at the centre reaches it by going up).
inline std::vector<Cell> flatCourse() {
    std::vector<Cell> ring;
    for (int x = 0; x <= 2; ++x)
        ring.push_back({x, 2, 0});
    for (int y = 1; y >= -2; --y)
        ring.push_back({2, y, 0});
    for (int x = 1; x >= -2; --x)
        ring.push_back({x, -2, 0});
    for (int y = -1; y <= 2; ++y)
        ring.push_back({-2, y, 0});
    ring.push_back({-1, 2, 0});
    return ring;
}

inline std::string directionBetween(Cell a, Cell b) {
    for (const char* d : {"d", "a", "up", "down", "s", "w"}) {
        const auto v = stepVector(d);
        if (a.x + int(v.x) == b.x && a.y + int(v.y) == b.y && a.z + int(v.z) == b.z) return d;
    }
    return "";
}

// The direction that follows the course from a cell on it; empty off the course.
inline std::string nextOnCourse(const std::vector<Cell>& course, Cell here) {
    for (std::size_t i = 0; i < course.size(); ++i)
        if (course[i] == here) return directionBetween(here, course[(i + 1) % course.size()]);
    return "";
}

} // namespace coilrun::scenario
