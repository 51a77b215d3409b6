#pragma once
#include "game/game.h"
#include "game/steering.h"

namespace coilrun {

// One frame of play: steering, the snake's step and glide, eating and placing
// specks, the level map, and the test for running into itself.
void playFrame(Game& game, double deltaTime);

// The steering keys held now, as the player's keyboard types them.
SteeringKeys readSteeringKeys(const Game& game);

} // namespace coilrun
