#include "game/level_map.h"

#include "game/level_table.h"

namespace coilrun {

std::array<std::array<bool, 7>, 7> mapColumns(const OccupancyGrid& grid) {
    std::array<std::array<bool, 7>, 7> shown{};
    for (int x = -3; x <= 3; ++x)
        for (int z = -3; z <= 3; ++z)
            shown[x + 3][z + 3] = grid.columnSum(x, z) >= 2;
    return shown;
}

void updateLevelMap(Game& game) {
    const auto shown = mapColumns(game.state.occupancy);
    const SceneLinks& l = game.links;
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j)
            l.mapCube[i][j]->setVisible(shown[i][j]);
    // The sky map copies the ground map cube by cube.
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j)
            l.skyMapCube[i][j]->setVisible(l.mapCube[i][j]->visible());
}

void showLevelMapsFor(Game& game, int level) {
    game.links.map2D->setVisible(!isFlatLevel(level));
    game.links.map2Dsky->setVisible(!isFlatLevel(level));
}

} // namespace coilrun
