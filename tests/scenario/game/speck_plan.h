#pragma once
// The speck chaser's choices, apart from any platform: the next step toward the
// speck around the body and the walls, and the arrow key that steers that way.
#include "game/occupancy_grid.h"
#include "game/scene_links.h"
#include "game/state/game_state.h"

#include <string>

namespace coilrun::scenario {

// The best step from `here` (the cell the head is heading for): one after which the
// snake can go on for a while, into room enough for it, then closest to the speck,
// straight on when that is as good. Empty when there is none.
std::string planSpeckStep(const GameState& s, Cell here, bool flat, bool haveSpeck);

// What the plan depends on, as text: plan again only when it changes.
std::string chaseSituation(const GameState& s, Cell here, bool haveSpeck);

// The arrow key (vk::...) that steers toward this world direction ("d", "up", ...)
// with the rig as it faces now; 0 when left and right are too risky to trust.
int keyToward(const SceneLinks& links, const std::string& direction);

} // namespace coilrun::scenario
