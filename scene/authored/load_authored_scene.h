#pragma once
#include "engine/render/scene_viewer.h"
#include "engine/sound/sound_context.h"
#include "engine/text3d/font_manager.h"
#include "engine/time/cadencer_pump.h"
#include "engine/time/progress_target.h"
#include "scene/loader/scene_loader.h"

namespace coilrun::scene {

// What the game window lends its scene while it is read: the pump its cadencers
// run on, what they advance, the glyph sets of the 3D texts, the sound context and
// the window's viewer.
struct AuthoredSceneServices {
    engine::CadencerPump& pump;
    engine::FontManager& fonts;
    engine::SoundContext& sound;
    engine::TGLSceneViewer& viewer;
};

// Reads the game's own scene file with every class the game uses.
LoadedScene loadAuthoredScene(platform::Platform& platform, AuthoredSceneServices& services,
                              const HandlerTable& handlers);

} // namespace coilrun::scene
