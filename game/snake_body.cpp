#include "game/snake_body.h"

#include "game/steering.h"

#include <array>
#include <cmath>

namespace coilrun {
namespace {

constexpr int kLastSphere = SceneLinks::kSegments - 1; // 38

struct Connector {
    int axis;
    engine::TGLCylinder* cylinder;
};
using Connectors = std::array<Connector, 3>;

// Sphere k's connectors in the order the rules test them: Y, X, then Z.
Connectors connectorsOf(const SceneLinks& l, int k) {
    return {{{1, l.connectorY[std::size_t(k)]},
             {0, l.connectorX[std::size_t(k)]},
             {2, l.connectorZ[std::size_t(k)]}}};
}

// Shows the connector along axis (when show) and hides the other two.
void showAlong(const Connectors& connectors, int axis, bool show) {
    for (const Connector& c : connectors)
        c.cylinder->setVisible(c.axis == axis && show);
}

} // namespace

void showBodySpheres(Game& game) {
    for (int k = kLastSphere; k >= 2; --k)
        game.links.snake[k]->setVisible(game.state.snakeLength >= k);
}

void shiftBody(Game& game) {
    const SceneLinks& l = game.links;
    for (int k = kLastSphere; k >= 2; --k)
        l.snake[k]->setPosition(*l.snake[k - 1]);
    l.snake[1]->setPosition(*l.jumperball);
}

void startStep(Game& game) {
    GameState& s = game.state;
    if (!s.controlsActive) {
        s.stepDirection.clear();
        s.requestedDirection.clear();
        return;
    }
    const int axis = axisOf(s.requestedDirection);
    if (axis < 0) return;
    s.stepping = true;
    s.stepDirection = s.requestedDirection;
    auto& target = game.links.jumperball->position();
    const float step = isPositiveDirection(s.stepDirection) ? 2.0f : -2.0f;
    target.setComponent(axis, target[axis] + step);
}

void connectBody(Game& game) {
    const SceneLinks& l = game.links;
    for (int k = 1; k <= kLastSphere - 1; ++k) {
        if (game.state.snakeLength <= k) continue;
        const auto& a = l.snake[k]->position();
        const auto& b = l.snake[k + 1]->position();
        const bool bVisible = l.snake[k + 1]->visible();
        const auto connectors = connectorsOf(l, k);
        for (const auto& [axis, cylinder] : connectors) {
            if (a[axis] == b[axis]) continue;
            showAlong(connectors, axis, bVisible);
            cylinder->position().setComponent(axis, a[axis] > b[axis] ? -1.0f : 1.0f);
        }
    }
}

void glideHead(Game& game) {
    GameState& s = game.state;
    if (!s.stepping) return;
    const int axis = axisOf(s.stepDirection);
    if (axis < 0) return;
    auto& head = game.links.snake[0]->position();
    const float target = game.links.jumperball->position()[axis];
    if (isPositiveDirection(s.stepDirection)) {
        head.setComponent(axis, float(head[axis] + s.stepDistance));
        if (head[axis] >= target) s.stepping = false;
    } else {
        head.setComponent(axis, float(head[axis] - s.stepDistance));
        if (head[axis] <= target) s.stepping = false;
    }
}

void connectHead(Game& game) {
    const SceneLinks& l = game.links;
    const auto& h = l.snake[0]->position();
    const auto& b = l.snake[1]->position();
    const auto& target = l.jumperball->position();
    const auto connectors = connectorsOf(l, 0);
    for (const auto& [axis, cylinder] : connectors) {
        if (target[axis] == b[axis]) continue;
        showAlong(connectors, axis, true);
        const float middle = (h[axis] - b[axis]) / -2;
        cylinder->setPosition(axis == 0 ? middle : 0, axis == 1 ? middle : 0,
                              axis == 2 ? middle : 0);
        cylinder->scale().setY(std::fabs(h[axis] - b[axis]));
    }
}

void stopAtBounds(Game& game) {
    GameState& s = game.state;
    const auto& head = game.links.snake[0]->position();
    for (int axis = 0; axis < 3; ++axis) {
        if (head[axis] > 7 || head[axis] < -7) {
            s.stepping = false;
            s.stepDirection.clear();
        }
    }
}

void arrive(Game& game) {
    GameState& s = game.state;
    if (s.stepping || s.requestedDirection.empty()) return;
    if (s.snakeLength >= s.lastStepLength) s.occupancy.countDown();
    const auto& p = game.links.jumperball->position();
    const Cell cell = cellAt(p.x(), p.y(), p.z());
    if (s.occupancy.at(cell) != 0)
        s.levelOver = true;
    else
        s.occupancy.set(cell, s.snakeLength + 1);
}

} // namespace coilrun
