#pragma once
#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/objects/camera.h"
#include "engine/objects/light_source.h"
#include "engine/objects/scene.h"
#include "engine/platform/platform.h"
#include "engine/render/scene_viewer.h"
#include "engine/sound/sound_context.h"
#include "engine/text3d/font_manager.h"
#include "engine/time/cadencer.h"
#include "engine/time/cadencer_pump.h"
#include "engine/time/progress_target.h"
#include "engine/time/timer.h"
#include "game/state/game_state.h"
#include "scene/loader/scene_loader.h"

#include <functional>
#include <memory>
#include <string>

namespace coilrun {

// Lets the cadencers advance the window's scene, once it has been read.
class SceneProgress : public ProgressTarget {
public:
    void doProgress(double deltaTime, double newTime) override {
        if (scene) scene->progress(deltaTime, newTime);
    }
    engine::TGLScene* scene = nullptr;
};

// The game window. It owns the scene, the viewer, every timer and cadencer of
// the game and the game state they share. The scene, the cadencers and the
// timers come from the authored scene file, read when the window is made.
class TForm1 {
public:
    TForm1(platform::Platform& platform, CadencerPump& pump);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    void FormCreate();
    void FormClose();
    void runtimeTimer();
    void CadencerMenuProgress(double deltaTime, double newTime);

    // Brings the window up; a window already shown stays as it is.
    void show();

    platform::Window& window() { return *window_; }
    GameState& state() { return state_; }
    engine::TGLSceneViewer& viewer() { return *glscnvwr1; }
    // Everything the scene file declared, by name.
    const scene::LoadedScene& objects() const { return scene_; }

    // Called after FormClose has run (the application closes the other windows).
    std::function<void()> onClosed;

private:
    scene::HandlerTable handlers();
    void findObjects();

    platform::Platform& platform_;
    GameState state_;
    std::unique_ptr<platform::Window> window_;
    engine::FontManager fontManager_;
    engine::SoundContext soundContext_;
    SceneProgress sceneProgress_;

public:
    std::unique_ptr<platform::GlSurface> glscnvwr1Surface;
    std::unique_ptr<engine::TGLSceneViewer> glscnvwr1;
    std::unique_ptr<platform::Widget> pnl1;

private:
    scene::LoadedScene scene_;

public:
    // The authored objects the window itself works with (owned by the scene).
    engine::TGLScene* glscn1 = nullptr;
    engine::TGLCamera* Camera1Menu = nullptr;
    engine::TGLLightSource* leftlight = nullptr;
    engine::TGLLightSource* rightlight = nullptr;
    engine::TGLLightSource* centerlight = nullptr;
    engine::TGLLightSource* xcenterlight = nullptr;
    engine::TGLLightSource* zcenterlight = nullptr;
    engine::TGLHUDText* TextBlack = nullptr;
    engine::TGLHUDSprite* Soundsprite = nullptr;
    TGLCadencer* Cadencer1 = nullptr;
    TGLCadencer* CadencerMenu = nullptr;
    engine::TGLBaseSceneObject* glcpsl1 = nullptr;
    engine::TGLBaseSceneObject* glcblogo = nullptr;
    engine::TGLBaseSceneObject* SpaceTextlogo = nullptr;
    engine::TGLBaseSceneObject* Snake = nullptr;
    engine::TGLBaseSceneObject* Stage = nullptr;
    engine::TGLBaseSceneObject* speck = nullptr;
};

// "Musictime = 4        SnakeLength = 2        light = 1      fps = 59.5"
std::string formatStatusLine(int musicClock, int snakeLength, double lightAttenuation, double fps);

// fps rounded to two decimals in the shortest decimal form: 60, 59.5, 33.33.
std::string formatFramesPerSecond(double fps);

} // namespace coilrun
