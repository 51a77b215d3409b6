#pragma once
#include "game/game.h"

namespace coilrun {

// Every 10 ms: the game window covers the screen, on top and without a border;
// the HUD, the menus and the how-to page are placed for its size; the pause
// screen's texts and menu come and go with it.
void asynctmrAllTimeTimer(Game& game);

} // namespace coilrun
