#pragma once
#include "game/game.h"

namespace coilrun {

// Pauses the game: the pause screen takes the frames.
void pauseGame(Game& game);

// Resumes play from the pause screen (Space, Escape or the pause menu's Resume).
void resumeGame(Game& game);

// One frame of the pause screen: the pause menu fits the situation, the stage
// keeps turning slowly, the sound is off; Space or Escape resumes.
void Cadencer4Progress(Game& game, double deltaTime);

} // namespace coilrun
