#pragma once
#include "game/game.h"

namespace coilrun {

// One step of the title logo that a small snake draws on the menu scene, run by
// every menu frame once the camera is out past Z = -4.
void logoStep(Game& game);

} // namespace coilrun
