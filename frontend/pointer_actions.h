#pragma once
#include "game/game.h"

namespace coilrun {

// The menus are worked with the pointer: moving it selects the line under it in
// every menu (hidden ones too, on the box of their last drawing), pressing any
// button acts on the selections.
void glscnvwr1MouseMove(Game& game, int x, int y);
void glscnvwr1MouseDown(Game& game, int button, int x, int y);
// The overlay list lights its selected line when it leads somewhere.
void lightOverlayLinks(const Game& game);

} // namespace coilrun
