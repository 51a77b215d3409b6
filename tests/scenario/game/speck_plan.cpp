#include "tests/scenario/game/speck_plan.h"

#include "engine/platform/virtual_keys.h"
#include "game/steering.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace coilrun::scenario {

namespace {

// Free cells reachable from a cell (itself included), counted up to a limit: a
// step into a pocket smaller than the snake is a step into a trap.
int roomFrom(const OccupancyGrid& grid, Cell from, bool flat, int limit) {
    std::vector<Cell> open{from};
    std::vector<bool> seen(OccupancyGrid::kCells, false);
    seen[OccupancyGrid::indexOf(from)] = true;
    int count = 0;
    while (!open.empty() && count < limit) {
        const Cell c = open.back();
        open.pop_back();
        ++count;
        for (const char* dir : {"up", "down", "a", "d", "w", "s"}) {
            const engine::Vec3 v = stepVector(dir);
            const Cell n{c.x + int(v.x), c.y + int(v.y), c.z + int(v.z)};
            if (!insidePlayfield(n) || (flat && n.z != 0) || grid.at(n) > 1) continue;
            if (seen[OccupancyGrid::indexOf(n)]) continue;
            seen[OccupancyGrid::indexOf(n)] = true;
            open.push_back(n);
        }
    }
    return count;
}

// How many steps the snake can surely go from `from` (heading there, arriving
// `depth` steps from now, after stepping along `last`), turning only where the view
// allows, before it would have to hit its body or a wall; up to `limit`.
int survivableSteps(const OccupancyGrid& grid, std::vector<Cell>& path, const std::string& last,
                    const std::vector<std::string>& allowed, bool flat, int depth, int limit) {
    if (depth >= limit) return depth;
    int best = depth;
    const Cell from = path.back();
    for (const std::string& dir : allowed) {
        if (dir == oppositeOf(last)) continue;
        const engine::Vec3 v = stepVector(dir);
        const Cell n{from.x + int(v.x), from.y + int(v.y), from.z + int(v.z)};
        if (!insidePlayfield(n) || (flat && n.z != 0)) continue;
        // A body cell frees itself once its count has run down by the time we get there.
        if (grid.at(n) > depth + 2) continue;
        if (std::find(path.begin(), path.end(), n) != path.end()) continue;
        path.push_back(n);
        best = std::max(best, survivableSteps(grid, path, dir, allowed, flat, depth + 1, limit));
        path.pop_back();
        if (best >= limit) break;
    }
    return best;
}

} // namespace

std::string chaseSituation(const GameState& s, Cell here, bool haveSpeck) {
    return std::to_string(OccupancyGrid::indexOf(here)) + "/" +
           std::to_string(OccupancyGrid::indexOf(s.speckCell)) + "/" + std::to_string(haveSpeck) +
           "/" + s.stepDirection + "/" + std::to_string(s.snakeLength);
}

int keyToward(const SceneLinks& links, const std::string& direction) {
    using namespace coilrun::vk;
    if (direction == "up") return up;
    if (direction == "down") return down;
    const engine::Vec3 d = links.Dummy2->direction().asAffine();
    // Near the edge of a quarter the turning rig may flip left and right before the
    // frame reads the key: too risky to steer by them there.
    SteeringKeys rightKey, leftKey;
    rightKey.right = true;
    leftKey.left = true;
    if (steer(rightKey, d, "") == direction) return right;
    if (steer(leftKey, d, "") == direction) return left;
    return 0;
}

std::string planSpeckStep(const GameState& s, Cell here, bool flat, bool haveSpeck) {
    auto passable = [&](Cell c) {
        return insidePlayfield(c) && !(flat && c.z != 0) && s.occupancy.at(c) <= 1;
    };
    // Steps to the speck from every cell, around the body.
    std::vector<int> toSpeck(OccupancyGrid::kCells, 1 << 20);
    if (haveSpeck && passable(s.speckCell)) {
        std::vector<Cell> queue{s.speckCell};
        toSpeck[OccupancyGrid::indexOf(s.speckCell)] = 0;
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const Cell c = queue[i];
            for (const char* dir : {"up", "down", "a", "d", "w", "s"}) {
                const engine::Vec3 v = stepVector(dir);
                const Cell n{c.x + int(v.x), c.y + int(v.y), c.z + int(v.z)};
                if (!passable(n) ||
                    toSpeck[OccupancyGrid::indexOf(n)] <= toSpeck[OccupancyGrid::indexOf(c)] + 1)
                    continue;
                toSpeck[OccupancyGrid::indexOf(n)] = toSpeck[OccupancyGrid::indexOf(c)] + 1;
                queue.push_back(n);
            }
        }
    }
    // The best step: one after which the snake can go on for a while, into room
    // enough for it, then closest to the speck, straight on when that is as good.
    // The rig is turned for left and right to reach it (steerPlan).
    const std::vector<std::string> all{"up", "down", "a", "d", "w", "s"};
    constexpr int lookAhead = 9;
    std::string best;
    std::int64_t bestScore = std::int64_t(1) << 40;
    for (const std::string& dir : all) {
        if (dir == oppositeOf(s.stepDirection)) continue;
        const engine::Vec3 v = stepVector(dir);
        const Cell next{here.x + int(v.x), here.y + int(v.y), here.z + int(v.z)};
        if (!insidePlayfield(next) || (flat && next.z != 0) || s.occupancy.at(next) > 2) continue;
        std::vector<Cell> path{here, next};
        const int survives = survivableSteps(s.occupancy, path, dir, all, flat, 1, lookAhead);
        const int room = roomFrom(s.occupancy, next, flat, 2 * s.snakeLength + 4);
        std::int64_t score = std::int64_t(toSpeck[OccupancyGrid::indexOf(next)]) * 10;
        score += std::int64_t(lookAhead - survives) << 32;
        if (room < 2 * s.snakeLength + 4) score += std::int64_t(1) << 30;
        if (dir == s.stepDirection) score -= 1;
        if (score < bestScore) bestScore = score, best = dir;
    }
    return best;
}

} // namespace coilrun::scenario
