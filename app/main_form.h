#pragma once
#include "engine/objects/scene.h"
#include "engine/platform/platform.h"
#include "engine/render/scene_viewer.h"
#include "engine/time/cadencer.h"
#include "engine/time/cadencer_pump.h"
#include "engine/time/progress_target.h"
#include "engine/time/timer.h"
#include "game/state/game_state.h"

#include <functional>
#include <memory>
#include <string>

namespace coilrun {

// Lets a cadencer advance a scene.
class SceneProgress : public ProgressTarget {
public:
    explicit SceneProgress(engine::TGLScene& scene) : scene_(scene) {}
    void doProgress(double deltaTime, double newTime) override {
        scene_.progress(deltaTime, newTime);
    }

private:
    engine::TGLScene& scene_;
};

// The game window. It owns the scene, the viewer, every timer and cadencer of
// the game and the game state they share.
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
    engine::TGLScene& scene() { return glscn1; }
    engine::TGLSceneViewer& viewer() { return *glscnvwr1; }

    // Called after FormClose has run (the application closes the other windows).
    std::function<void()> onClosed;

private:
    platform::Platform& platform_;
    GameState state_;
    std::unique_ptr<platform::Window> window_;

public:
    engine::TGLScene glscn1;
    SceneProgress glscn1Progress{glscn1};
    std::unique_ptr<platform::GlSurface> glscnvwr1Surface;
    std::unique_ptr<engine::TGLSceneViewer> glscnvwr1;
    std::unique_ptr<platform::Widget> pnl1;
    std::unique_ptr<TGLCadencer> CadencerMenu;
    std::unique_ptr<TTimer> runtime;
};

// "Musictime = 4        SnakeLength = 2        light = 1      fps = 59.5"
std::string formatStatusLine(int musicClock, int snakeLength, double lightAttenuation, double fps);

// fps rounded to two decimals in the shortest decimal form: 60, 59.5, 33.33.
std::string formatFramesPerSecond(double fps);

} // namespace coilrun
