#include "game/play_frame.h"

#include "engine/input/is_key_down.h"
#include "engine/input/virtual_keys.h"
#include "game/level_map.h"
#include "game/snake_body.h"
#include "game/specks.h"
#include "game/stage_presentation.h"
#include "game/steering.h"

#include <cmath>

namespace coilrun {

SteeringKeys readSteeringKeys(const Game& game) {
    const GameState& s = game.state;
    const platform::Keyboard& k = game.services.keyboard;
    SteeringKeys keys;
    keys.up = IsKeyDown(k, s.keyUp) || IsKeyDown(k, s.keyUpAlt) || IsKeyDown(k, vk::up);
    keys.down = IsKeyDown(k, s.keyDown) || IsKeyDown(k, s.keyDownAlt) || IsKeyDown(k, vk::down);
    keys.right = IsKeyDown(k, s.keyRight) || IsKeyDown(k, vk::right);
    keys.left = IsKeyDown(k, s.keyLeft) || IsKeyDown(k, vk::left);
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
