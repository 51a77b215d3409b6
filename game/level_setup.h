#pragma once
#include "game/game.h"

namespace coilrun {

// Puts the stage and the state back to where every level starts: snake at the
// origin and two long, empty grid, speck lifted, lights down for the intro, the
// level title on its way. Leaves the choice of the next frame pump to the caller.
void resetLevel(Game& game);

// The level set-up the result screen runs when a start or restart is asked for:
// the reset above, then the stage switch (back to the full cube after the flat
// stage of level 1, else the flat-stage check of level 1) takes the frames.
void setUpLevel(Game& game);

} // namespace coilrun
