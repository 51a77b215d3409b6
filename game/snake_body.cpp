#include "game/snake_body.h"

#include "game/steering.h"

#include <cmath>

namespace coilrun {
namespace {

constexpr int kLastSphere = SceneLinks::kSegments - 1; // 38

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
        if (a.y() != b.y()) {
            l.connectorY[k]->setVisible(bVisible);
            l.connectorX[k]->setVisible(false);
            l.connectorZ[k]->setVisible(false);
            l.connectorY[k]->position().setY(a.y() > b.y() ? -1.0f : 1.0f);
        }
        if (a.x() != b.x()) {
            l.connectorY[k]->setVisible(false);
            l.connectorX[k]->setVisible(bVisible);
            l.connectorZ[k]->setVisible(false);
            l.connectorX[k]->position().setX(a.x() > b.x() ? -1.0f : 1.0f);
        }
        if (a.z() != b.z()) {
            l.connectorY[k]->setVisible(false);
            l.connectorX[k]->setVisible(false);
            l.connectorZ[k]->setVisible(bVisible);
            l.connectorZ[k]->position().setZ(a.z() > b.z() ? -1.0f : 1.0f);
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
    if (target.y() != b.y()) {
        l.connectorY[0]->setVisible(true);
        l.connectorX[0]->setVisible(false);
        l.connectorZ[0]->setVisible(false);
        l.connectorY[0]->setPosition(0, (h.y() - b.y()) / -2, 0);
        l.connectorY[0]->scale().setY(std::fabs(h.y() - b.y()));
    }
    if (target.x() != b.x()) {
        l.connectorY[0]->setVisible(false);
        l.connectorX[0]->setVisible(true);
        l.connectorZ[0]->setVisible(false);
        l.connectorX[0]->setPosition((h.x() - b.x()) / -2, 0, 0);
        l.connectorX[0]->scale().setY(std::fabs(h.x() - b.x()));
    }
    if (target.z() != b.z()) {
        l.connectorY[0]->setVisible(false);
        l.connectorX[0]->setVisible(false);
        l.connectorZ[0]->setVisible(true);
        l.connectorZ[0]->setPosition(0, 0, (h.z() - b.z()) / -2);
        l.connectorZ[0]->scale().setY(std::fabs(h.z() - b.z()));
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
