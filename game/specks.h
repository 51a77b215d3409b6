#pragma once
#include "game/game.h"

#include <cstdint>
#include <optional>
#include <random>

namespace coilrun {

// Where a new speck may go: anywhere in the cube when fullCube, else only in the
// inner 5 x 5 x 5, and on level 1 only in the plane Z = 0; never in a cell the
// snake occupies. Chosen uniformly among the free cells of that range; none when
// every one of them is taken.
std::optional<Cell> pickSpeckCell(const OccupancyGrid& grid, bool fullCube, int level,
                                  std::mt19937& dice);

// New dice for a level, seeded from the clock; the seed is kept in the state, so
// that a recorded run places its specks again where they were.
void seedSpeckDice(Game& game);

// The speck is lifted out of the playfield (Y = 10) when it waits to be placed.
bool speckLifted(const SceneLinks& links);
void liftSpeck(const SceneLinks& links);

// The head has just arrived in the speck's cell: the snake grows by one sphere.
void eatSpeck(Game& game);
// Places a lifted (or just eaten) speck in a free cell, with its map markers.
void placeSpeck(Game& game);
// After every frame: a speck whose cell the tail is leaving is lifted, and the
// warning and approach sounds play (the outer layer; the speck just ahead).
void speckCheck(Game& game);

} // namespace coilrun
