#pragma once
#include "game/game.h"

namespace coilrun {

// One frame of the menu scene (fixed steps of 2.5 ms): the camera flies back out of
// black from the maker's lettering, the lights come up, the main menu fades in
// once the camera is far enough out, and Space or Enter starts the game.
void CadencerMenuProgress(Game& game);

// Every 50 ms while the main menu fades in (and after a level is chosen, for the
// title alone).
void asynctmrTimerMenu1Timer(Game& game);

} // namespace coilrun
