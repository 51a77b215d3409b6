#pragma once
#include "game/game.h"

namespace coilrun {

// The snake's spheres and connectors, stepped cell by cell while the head glides.

// Body sphere k is shown exactly while the snake is at least k long (k = 38 .. 2;
// the head and the first body sphere always show).
void showBodySpheres(Game& game);
// Every body sphere moves into the place of the one before it; the first takes the
// cell the head has just reached.
void shiftBody(Game& game);
// Starts the next step toward the requested direction, when the controls are live.
void startStep(Game& game);
// The connectors between body spheres, each half way toward the next sphere.
void connectBody(Game& game);
// The head glides toward the step target; the step ends once it has reached or
// passed it (the small overshoot stays: the head is not snapped).
void glideHead(Game& game);
// The head's connector stretches back to the first body sphere.
void connectHead(Game& game);
// A head outside the box stops; the next frame ends the level.
void stopAtBounds(Game& game);
// The head has arrived in a cell: the grid counts down, and the new cell is tested
// (occupied: the snake ran into itself) and marked.
void arrive(Game& game);

} // namespace coilrun
