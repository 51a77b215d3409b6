#pragma once
#include "game/game.h"

namespace coilrun {

// One frame of the game cadencer while a level is on screen: the order of the
// frame's steps, each of which lives with its topic.
void Cadencer1Progress(Game& game, double deltaTime);

} // namespace coilrun
