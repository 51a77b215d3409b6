#include "game/play_frame.h"

#include "game/level_map.h"
#include "game/snake_body.h"
#include "game/specks.h"
#include "game/stage_presentation.h"
#include "game/steering.h"

#include <cmath>

namespace coilrun {

SteeringKeys readSteeringKeys(const Game& game) {
    const GameState& s = game.state;
    const engine::Controls& c = game.controls;
    SteeringKeys keys;
    keys.up = c.charDown(s.keyUp) || c.charDown(s.keyUpAlt) || c.down(engine::Key::Up) ||
              c.has(engine::PadSignal::PushUp);
    keys.down = c.charDown(s.keyDown) || c.charDown(s.keyDownAlt) || c.down(engine::Key::Down) ||
                c.has(engine::PadSignal::PushDown);
    keys.right =
        c.charDown(s.keyRight) || c.down(engine::Key::Right) || c.has(engine::PadSignal::PushRight);
    keys.left =
        c.charDown(s.keyLeft) || c.down(engine::Key::Left) || c.has(engine::PadSignal::PushLeft);
    return keys;
}

void playFrame(Game& game, double dt) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;

    s.levelOver = false;
    const auto& head = l.snake[0]->position();
    s.headDistY = std::fabs(head.y());
    s.headDistX = std::fabs(head.x());
    s.headDistZ = std::fabs(head.z());
    steadyPlayCamera(game, dt);

    s.requestedDirection =
        steer(readSteeringKeys(game), l.Dummy2->direction().asAffine(), s.requestedDirection);
    s.requestedDirection = withoutReversal(s.requestedDirection, s.stepDirection);

    if (!s.stepping) {
        showBodySpheres(game);
        shiftBody(game);
        startStep(game);
        eatSpeck(game);
        updateLevelMap(game);
        connectBody(game);
    }
    glideHead(game);
    connectHead(game);
    stopAtBounds(game);
    arrive(game);
    placeSpeck(game);
    s.lastStepLength = s.snakeLength;
}

} // namespace coilrun
