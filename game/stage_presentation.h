#pragma once
#include "game/game.h"

namespace coilrun {

// The camera rig that keeps turning around the playfield: mouse momentum on levels
// above 1, a gentle drift while a result screen is up. Also turns the speck and the
// shell around the stage.
void turnCameraRig(Game& game, double deltaTime);

// The right stick turns the view as the pointer's travel would: full lean is a
// travel of lookStickSpeed pixels a second, a slight lean much less, for aiming.
constexpr double lookStickSpeed = 1500;
void lookWithStick(Game& game, double deltaTime);

// The camera in a play frame: reads the mouse, takes the rate of the player's turn
// for the rig and levels the camera again.
void steadyPlayCamera(Game& game, double deltaTime);

// The side lights' colours from the game's three tones: cool on the right, green on
// the left (channels set blue first, as the game always sets them).
void toneSideLights(const GameState& state, const SceneLinks& links);

// The side lights' colours and the centre lights that brighten as the head nears
// the walls.
void lightStage(Game& game);

// The light intro that opens each level: the side lights come up, the stage shrinks
// to its size, the level clock waits. Returns true while it runs.
bool runLightIntro(Game& game, double deltaTime);

// The bars above and below the stage that shrink as the head glides into its cell.
void showStepIndicators(Game& game);

// One-frame stage switches: the flat stage of level 1, and the full cube again.
void Cadencer2Progress(Game& game);
void Cadencer3Progress(Game& game);

} // namespace coilrun
