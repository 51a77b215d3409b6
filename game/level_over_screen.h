#pragma once
#include "game/game.h"

namespace coilrun {

// Whether this frame belongs to the result screen: the snake is full length, the
// head has left the box, or the level has already ended (a crash, a restart).
bool levelIsOver(const Game& game);

// One frame of the result screen: the level advance and score on a win, the
// headline and second line on the walls, the result menu and count-down, the end
// music, the camera drifting home and the snake blinking. Runs the level set-up
// when a start or restart is asked for; returns true when it did.
bool levelOverFrame(Game& game, double deltaTime);

} // namespace coilrun
