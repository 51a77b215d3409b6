#pragma once
#include "game/game.h"

namespace coilrun {

// The first step of every frame of every frame handler: the frame's controls and
// the window's active state are read once, from the platform or from a recording,
// and mouse look takes the pointer's travel from them.
void readControls(Game& game);

} // namespace coilrun
