#pragma once
#include "engine/input/controls.h"
#include "game/game_services.h"
#include "game/scene_links.h"
#include "game/state/game_state.h"

#include <optional>

namespace coilrun {

// What every piece of play and menu code works on: the shared state, the links to
// the scene's objects and the window's services, which the game window owns, and
// the controls of the frame that runs.
// What a frame reads at its start besides the scene: the player's controls and
// whether the main window is the active one.
struct FrameInput {
    engine::Controls controls;
    bool windowActive = true;
};

struct Game {
    GameState& state;
    const SceneLinks& links;
    GameServices& services;
    // Read at the start of every frame (readControls); the only input play and menu
    // code looks at besides the pointer's clicks and motion.
    engine::Controls controls{};
    // Read with the controls: a window that has lost the focus pauses the game.
    bool windowActive = true;
    // While a recorded run is re-played: what the next frame reads instead of the
    // platform's keys, pointer and window.
    std::optional<FrameInput> replayInput{};
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
