#pragma once
#include "game/game.h"

namespace coilrun {

// The game controller in the menus, at the start of a frame: a push moves the
// selection to the next or the previous line of the menus on the screen (spacers
// skipped), as the pointer's motion would select it; Confirm then acts on it as a
// click does, and Cancel clicks the menu's GO BACK where it has one. What the menus
// take is taken out of the frame's controls; an untouched Confirm or Cancel goes on
// to act as Space or Escape.
void padMenus(Game& game);

} // namespace coilrun
