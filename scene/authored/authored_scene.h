#pragma once
#include <string_view>

namespace coilrun::scene {

// The game's scene file (scene/authored/coilrun.scene), built into the program.
std::string_view authoredSceneText();

} // namespace coilrun::scene
