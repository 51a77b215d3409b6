#pragma once
#include "game/game.h"

namespace coilrun {

// The game HUD once the light intro is over: the controls go live and the texts,
// the clock and the sound sprite fade in.
void fadeInHud(Game& game, double deltaTime);

// The black veil over the stage clears a little every frame.
void clearBlackVeil(Game& game, double deltaTime);

// The 'm' key switches sound off and on (at most once per debounce period), and the
// sound sprite shows which it is.
void handleMuteKey(Game& game);

// The HUD texts the level-over screen hides.
void hideGameHud(Game& game);

} // namespace coilrun
