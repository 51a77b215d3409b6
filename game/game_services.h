#pragma once
#include "engine/input/controls_source.h"
#include "engine/platform/clock.h"
#include "engine/platform/settings_store.h"
#include "engine/platform/window.h"
#include "engine/render/scene_viewer.h"
#include "engine/sound/sound_context.h"

#include <functional>
#include <string>

namespace coilrun {

// What the play and menu code need from the game window and the system besides the
// scene: each frame's controls, the main window (active state, size, style, caption), the
// screen, the stored settings, the clock that seeds the speck's dice, the window's
// black panel and viewer, the sound context emitters are made in, and the way to
// end the program. The game window fills it in; tests fill it from the simulated
// platform.
struct GameServices {
    engine::ControlsSource& controls;
    platform::Window& mainWindow;
    const platform::Screen& screen;
    platform::SettingsStore& settings;
    const platform::Clock& clock;
    platform::Widget& blackPanel;    // pnl1: covers the viewer while a level is set up
    platform::Widget& viewerSurface; // where glscnvwr1 draws
    engine::TGLSceneViewer& viewer;
    engine::SoundContext& sound;
    // Closes the main window and the splash window: the program ends.
    std::function<void()> endProgram;
    // What the splash read from the score page: whether it gave a list, and its text.
    std::function<bool()> scoreListAvailable;
    std::function<std::string()> scoreListText;
    // Leaves the game for the score browser, which sends the run report; the page it
    // shows decides whether the program ends or the game resumes.
    std::function<void()> quitToScoreBrowser;
    // Shows a credit page ("Kestrin", "Velmora") in the score browser.
    std::function<void(const std::string& person)> openCreditPage;
    // A level has just been set up (or the game started): the recorder of runs
    // starts the level's run once the handler has finished.
    std::function<void()> levelSetUp{};
};

} // namespace coilrun
