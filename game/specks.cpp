#include "game/specks.h"

#include "game/hud_texts.h"
#include "game/level_table.h"
#include "game/sound_selection.h"

#include <vector>

namespace coilrun {

std::optional<Cell> pickSpeckCell(const OccupancyGrid& grid, bool fullCube, int level,
                                  std::mt19937& dice) {
    const int reach = fullCube ? 3 : 2;
    const int zReach = fullCube ? 3 : (isFlatLevel(level) ? 0 : 2);
    std::vector<Cell> free;
    for (int x = -reach; x <= reach; ++x)
        for (int y = -reach; y <= reach; ++y)
            for (int z = -zReach; z <= zReach; ++z)
                if (grid.at({x, y, z}) == 0) free.push_back({x, y, z});
    if (free.empty()) return std::nullopt;
    std::uniform_int_distribution<std::size_t> pick(0, free.size() - 1);
    return free[pick(dice)];
}

bool speckLifted(const SceneLinks& l) {
    return l.speck->position().y() == 10.0f;
}
void liftSpeck(const SceneLinks& l) {
    l.speck->position().setY(10);
}

void eatSpeck(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    if (!samePosition(*l.snake[1], *l.speck)) return;
    s.snakeLength += 1;
    s.eatenCell = s.speckCell;
    l.TextLevel2->setText(progressText(s.snakeLength, s.targetLength));
    liftSpeck(l);
    s.occupancy.extendBody();
}

void seedSpeckDice(Game& game) {
    const auto& clock = game.services.clock;
    GameState& s = game.state;
    s.diceSeed = std::uint32_t(clock.performanceCounter()) ^ clock.tickCount();
    s.speckDice.seed(s.diceSeed);
}

void placeSpeck(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    if (!speckLifted(l) && !(s.eatenCell == s.speckCell)) return;
    const std::optional<Cell> cell =
        pickSpeckCell(s.occupancy, s.fullCube, s.level, s.speckDice);
    if (!cell) return; // nowhere to go: the speck waits, lifted, for a cell to free up
    s.speckCell = *cell;
    l.speck->setPosition(float(2 * cell->x), float(2 * cell->y), float(2 * cell->z));
    for (engine::TGLCylinder* marker : {l.mapspeck, l.mapspeck1}) {
        marker->position().setX(float(cell->x));
        marker->position().setZ(float(cell->z));
    }
    l.snake[0]->setRadius(0.75f);
}

void speckCheck(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    if (s.occupancy.at(s.speckCell) == 1) liftSpeck(l);
    if (s.musicClock >= 51) return;
    const bool heading = samePosition(*l.jumperball, *l.speck);
    if (!heading && !s.levelOver) {
        const auto& head = l.snake[0]->position();
        bool outerLayer = false;
        for (int axis = 0; axis < 3; ++axis)
            outerLayer = outerLayer || head[axis] > 4.1f || head[axis] < -4.1f;
        if (outerLayer) startSound(game, "red");
    }
    if (heading && !s.levelOver) {
        l.snake[0]->setRadius(1);
        startSound(game, "speck");
    }
}

} // namespace coilrun
