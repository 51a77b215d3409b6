#pragma once
#include "game/game.h"

#include <string>

namespace coilrun {

// Starts a sample of the game's sound library through a new emitter on Dummy1, but
// only while the game's wave output is active.
void startSound(Game& game, const std::string& sampleName);

// Silences the game's wave output, except while the main menu is on screen (the
// menu's own music must not be cut by the game).
void deactivateWaveOutUnlessMenu(Game& game);
// Switches the game's wave output on when the player has sound on.
void activateWaveOutIfSoundOn(Game& game);
// Both of the above: stops every sound of the game and leaves the output ready.
void restartWaveOutput(Game& game);

// What should be playing, chosen every frame: the theme once the music is due,
// the start jingle while the level has just begun.
void selectSound(Game& game);
// Starts what should be playing when it differs from what was last started.
void changeSound(Game& game);
// Restarts the music when its clock has run past the theme's length, and
// throughout the first second after a level set-up.
void restartMusicIfDue(Game& game);

} // namespace coilrun
