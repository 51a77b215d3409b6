#include "game/occupancy_grid.h"

#include <cmath>

namespace coilrun {

Cell cellAt(float x, float y, float z) {
    return {int(std::lround(x / 2.0f)), int(std::lround(y / 2.0f)), int(std::lround(z / 2.0f))};
}

bool insidePlayfield(const Cell& c) {
    auto in = [](int v) { return v >= -3 && v <= 3; };
    return in(c.x) && in(c.y) && in(c.z);
}

void OccupancyGrid::countDown() {
    for (int& v : cells_)
        if (v > 0) --v;
}

void OccupancyGrid::extendBody() {
    for (int& v : cells_)
        if (v > 1) ++v;
}

int OccupancyGrid::columnSum(int x, int z) const {
    int sum = 0;
    for (int y = -3; y <= 3; ++y)
        sum += at({x, y, z});
    return sum;
}

int OccupancyGrid::freeCount() const {
    int n = 0;
    for (int v : cells_)
        n += v == 0;
    return n;
}

} // namespace coilrun
