#pragma once
#include "game/game.h"

namespace coilrun {

// Every 1.5 s while the "3D CONTROL" overlay is open: the next how-to page
// (HT1, HT2, HT3, HT4, HT0, HT1, ...).
void timerHTTimer(Game& game);

} // namespace coilrun
