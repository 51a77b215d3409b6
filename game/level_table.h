#pragma once

namespace coilrun {

// What a level asks for: the length that wins it, the head's speed in scene units
// per second (a cell is 2 units), whether specks may lie in the outer layer, and
// whether it is played in one plane: on the flat stage, with the camera near, no
// level map, no momentum of the rig, and specks only in the plane.
struct LevelParameters {
    int targetLength = 0;
    double snakeSpeed = 0;
    bool fullCube = false;
    bool flat = false;
    bool operator==(const LevelParameters&) const = default;
};

// The level table. Levels above 10 ask for all 38 body spheres the scene has and
// get faster by half a unit per level.
LevelParameters levelParameters(int level);
inline bool isFlatLevel(int level) {
    return levelParameters(level).flat;
}

} // namespace coilrun
