#pragma once
#include "game/game.h"

namespace coilrun {

// Every 1013 ms: once the menu camera is out past Z = -4, the menu music starts and
// starts again every 76 ticks (it is 77.6 s long).
void timermainmenumusicTimer(Game& game);

} // namespace coilrun
