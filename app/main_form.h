#pragma once
#include "engine/platform/platform.h"
#include "engine/time/timer.h"
#include "game/state/game_state.h"

#include <functional>
#include <memory>
#include <string>

namespace coilrun {

// The game window. It owns the scene, the viewer, every timer and cadencer of
// the game and the game state they share.
class TForm1 {
public:
    explicit TForm1(platform::Platform& platform);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    void FormCreate();
    void FormClose();
    void runtimeTimer();

    // Brings the window up; a window already shown stays as it is.
    void show();

    platform::Window& window() { return *window_; }
    GameState& state() { return state_; }

    // Frames per second of the viewer since the last status line.
    std::function<double()> framesPerSecond = [] { return 0.0; };
    // Constant attenuation of the centre light, shown on the status line.
    std::function<double()> centerLightAttenuation = [] { return 1.0; };

    // Called after FormClose has run (the application closes the other windows).
    std::function<void()> onClosed;

private:
    platform::Platform& platform_;
    GameState state_;
    std::unique_ptr<platform::Window> window_;

public:
    std::unique_ptr<platform::GlSurface> glscnvwr1;
    std::unique_ptr<platform::Widget> pnl1;
    std::unique_ptr<TTimer> runtime;
};

// "Musictime = 4        SnakeLength = 2        light = 1      fps = 59.5"
std::string formatStatusLine(int musicClock, int snakeLength, double lightAttenuation, double fps);

// fps rounded to two decimals in the shortest decimal form: 60, 59.5, 33.33.
std::string formatFramesPerSecond(double fps);

} // namespace coilrun
