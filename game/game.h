#pragma once
#include "game/game_services.h"
#include "game/scene_links.h"
#include "game/state/game_state.h"

namespace coilrun {

// What every piece of play and menu code works on: the shared state, the links to
// the scene's objects and the window's services. The game window owns all three.
struct Game {
    GameState& state;
    const SceneLinks& links;
    GameServices& services;
};

// The alpha of a HUD text's modulate colour, which fades it.
inline float alphaOf(const engine::TGLHUDText& text) {
    return text.modulateColor().alpha();
}
inline void setAlpha(engine::TGLHUDText& text, double alpha) {
    text.modulateColor().setAlpha(float(alpha));
}

// Whether two objects stand at the same position (their own frames, exactly).
inline bool samePosition(const engine::TGLBaseSceneObject& a, const engine::TGLBaseSceneObject& b) {
    return a.position().x() == b.position().x() && a.position().y() == b.position().y() &&
           a.position().z() == b.position().z();
}

} // namespace coilrun
