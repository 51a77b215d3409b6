#pragma once
#include "game/replay/byte_stream.h"
#include "game/state/game_state.h"

namespace coilrun::scene {
class LoadedScene;
}

namespace coilrun::replay {

// Where a recorded level starts: every field of the game state and what the play
// code reads or shows of the scene (each object's place, turn, scale and
// visibility, texts, fades, lights, radii, the menus, the timers and cadencers that
// are running, the wave output and mouse look). Restored into a freshly built game
// window, it puts the window where the recording one was when the level began.

void writeGameState(ByteWriter& out, const GameState& state);
// The dice are seeded again from the stored seed.
void readGameState(ByteReader& in, GameState& state);
// Field by field, "name=value" lines: to show where two states part.
std::string describeGameState(const GameState& state);

void writeScene(ByteWriter& out, const scene::LoadedScene& scene);
// Throws RunFileError when the stored scene is not this program's.
void readScene(ByteReader& in, const scene::LoadedScene& scene);

} // namespace coilrun::replay
