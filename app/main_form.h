#pragma once
#include "engine/input/controls_source.h"
#include "engine/platform/platform.h"
#include "engine/render/scene_viewer.h"
#include "engine/sound/sound_context.h"
#include "engine/text3d/font_manager.h"
#include "engine/time/cadencer_pump.h"
#include "game/game.h"
#include "game/replay/run_tap.h"
#include "scene/loader/scene_loader.h"

#include <functional>
#include <memory>
#include <optional>

namespace coilrun {

// The game window. It owns the authored scene with every timer and cadencer, the
// viewer and the black panel over it, the game state, the links to the scene's
// objects and the services the play code uses, and it binds the scene's handler
// names to the play and menu code. The rules themselves live in game/ and frontend/.
class TForm1 {
public:
    // settings: the store the game reads and writes its level in; the platform's
    // unless another is given (a re-played run must leave the player's alone).
    TForm1(platform::Platform& platform, engine::CadencerPump& pump,
           platform::SettingsStore* settings = nullptr);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    void FormCreate();
    void FormClose();

    // Brings the window up; a window already shown stays as it is.
    void show();

    platform::Window& window() { return *window_; }
    GameState& state() { return state_; }
    Game& game() { return *game_; }
    // What the play and menu code reach the window and the rest of the program by;
    // the application connects the score list, the quit sequence and credit pages.
    GameServices& services() { return *services_; }
    const SceneLinks& links() const { return links_; }
    engine::TGLSceneViewer& viewer() { return *glscnvwr1; }
    platform::Widget& blackPanel() { return *pnl1; }
    // Everything the scene file declared, by name.
    const scene::LoadedScene& objects() const { return scene_; }
    // Records each level played, or holds the window's own handlers back while a
    // recorded run is re-played.
    replay::RunTap& runs() { return *runs_; }

    // Called after FormClose has run (the application closes the other windows).
    std::function<void()> onClosed;
    // Ends the program as the score browser's close does (set by the application).
    std::function<void()> endProgram;

private:
    // The scene file's handler names bound to the play and menu code.
    scene::HandlerTable handlers();

    platform::Platform& platform_;
    platform::SettingsStore& settings_;
    GameState state_;
    std::unique_ptr<platform::Window> window_;
    engine::FontManager fontManager_;
    engine::SoundContext soundContext_;
    engine::PlatformControls controls_;
    std::unique_ptr<platform::GlSurface> glscnvwr1Surface;
    std::unique_ptr<engine::TGLSceneViewer> glscnvwr1;
    std::unique_ptr<platform::Widget> pnl1;
    SceneLinks links_;
    std::optional<GameServices> services_;
    std::optional<Game> game_;
    std::optional<replay::RunTap> runs_;
    // Last: its timers and cadencers go first, while the game they call still exists.
    scene::LoadedScene scene_;
};

} // namespace coilrun
