#pragma once
#include "game/game.h"

#include <array>

namespace coilrun {

// Which columns (x, z) of the playfield the map shows, at [x + 3][z + 3]: those
// with at least 2 in the sum of their cells, so a column whose only body cell is
// the tail's, about to be freed, shows nothing.
std::array<std::array<bool, 7>, 7> mapColumns(const OccupancyGrid& grid);

// Shows the snake's columns in both level maps.
void updateLevelMap(Game& game);

// Both maps are hidden on level 1, which is played in one plane, and shown on every
// other level.
void showLevelMapsFor(Game& game, int level);

} // namespace coilrun
