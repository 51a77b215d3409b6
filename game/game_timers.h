#pragma once
#include "game/game.h"

namespace coilrun {

// The game window's timers, each named after the timer whose tick it handles.

// Every second: the seconds since set-up, the status line in the caption, and
// whether the theme is due.
void runtimeTimer(Game& game);
// Every second: the music clock; the result screen's music repeats every 30 s.
void tmrmusicTimer(Game& game);
// Every second and every 10 ms: the level clock, which runs only after the first
// arrow key of a level and never while paused.
void timergametimeTimer(Game& game);
void asynctmr1Timer(Game& game);
// Every 50 ms while a level title is up: the title fades in and out over the
// black veil while the camera zooms; then play begins.
void timerTitleTimer(Game& game);
// Every 5 ms after a title: the game camera zooms out to its focal length.
void asynctmrtimerzoomTimer(Game& game);
// 300 ms after a toggle (mute, pause, resume): the debounce ends.
void timermudeTimer(Game& game);
// Every second on a result screen: the count-down to the next level.
void timercountdownTimer(Game& game);

} // namespace coilrun
