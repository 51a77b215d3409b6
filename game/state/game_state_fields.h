#pragma once
#include "game/state/game_state.h"

namespace coilrun {

// Calls f(name, field) for every field of GameState, in declaration order, so that
// whatever stores, restores or compares a state cannot leave one out unnoticed. The
// speck's dice are the last "field": their seed (the dice are always fresh from it
// when a state is stored) and then the engine itself, for comparing.
template <class State, class F> void forEachField(State& s, F&& f) {
    f("requestedDirection", s.requestedDirection);
    f("stepDirection", s.stepDirection);
    f("keyUp", s.keyUp);
    f("keyLeft", s.keyLeft);
    f("keyDown", s.keyDown);
    f("keyRight", s.keyRight);
    f("keyUpAlt", s.keyUpAlt);
    f("keyDownAlt", s.keyDownAlt);
    f("stepping", s.stepping);
    f("levelOver", s.levelOver);
    f("controlsActive", s.controlsActive);
    f("musicDue", s.musicDue);
    f("fullCube", s.fullCube);
    f("soundOn", s.soundOn);
    f("restartRequested", s.restartRequested);
    f("startRequested", s.startRequested);
    f("stepDistance", s.stepDistance);
    f("snakeSpeed", s.snakeSpeed);
    f("rigSpin", s.rigSpin);
    f("turnRate", s.turnRate);
    f("headDistY", s.headDistY);
    f("headDistX", s.headDistX);
    f("headDistZ", s.headDistZ);
    f("toneHigh", s.toneHigh);
    f("toneMid", s.toneMid);
    f("toneLow", s.toneLow);
    f("playSeconds", s.playSeconds);
    f("musicClock", s.musicClock);
    f("clockMinutes", s.clockMinutes);
    f("clockSeconds", s.clockSeconds);
    f("clockHundredths", s.clockHundredths);
    f("levelFactor", s.levelFactor);
    f("score", s.score);
    f("bestScore", s.bestScore);
    f("rigTurn", s.rigTurn);
    f("snakeLength", s.snakeLength);
    f("lastStepLength", s.lastStepLength);
    f("level", s.level);
    f("maxLevel", s.maxLevel);
    f("targetLength", s.targetLength);
    f("speckCell", s.speckCell);
    f("eatenCell", s.eatenCell);
    f("occupancy", s.occupancy);
    f("soundName", s.soundName);
    f("playingSound", s.playingSound);
    f("titleTicks", s.titleTicks);
    f("countdown", s.countdown);
    f("cameraFocal", s.cameraFocal);
    f("levelListMode", s.levelListMode);
    f("levelPicked", s.levelPicked);
    f("overlayOpen", s.overlayOpen);
    f("listTop", s.listTop);
    f("menuFade", s.menuFade);
    f("menuMusicTicks", s.menuMusicTicks);
    f("howToPage", s.howToPage);
    f("overlayLinks", s.overlayLinks);
    f("overlaySpacing", s.overlaySpacing);
    f("padMenus", s.padMenus);
    f("padLine", s.padLine);
    f("diceSeed", s.diceSeed);
    f("speckDice", s.speckDice);
}

} // namespace coilrun
