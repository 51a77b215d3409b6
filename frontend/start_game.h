#pragma once
#include "game/game.h"

namespace coilrun {

// Leaves the menu scene for the game: the level shown in the main menu's title
// starts from the same state a level set-up gives, with its title over a black
// screen.
void StartGame(Game& game);

} // namespace coilrun
