#pragma once
#include "engine/platform/platform.h"
#include "tests/sim/sim_audio.h"
#include "tests/sim/sim_clock.h"
#include "tests/sim/sim_cursor.h"
#include "tests/sim/sim_fonts.h"
#include "tests/sim/sim_gamepad.h"
#include "tests/sim/sim_keyboard.h"
#include "tests/sim/sim_message_loop.h"
#include "tests/sim/sim_run_folder.h"
#include "tests/sim/sim_services.h"
#include "tests/sim/sim_settings.h"
#include "tests/sim/sim_web_view.h"
#include "tests/sim/sim_window.h"

#include <vector>

namespace coilrun::sim {

// The whole platform in memory and virtual time. Tests drive it through its
// public parts: the clock and loop, the web, the settings, the created windows.
class SimPlatform : public platform::Platform {
public:
    SimPlatform() : loopImpl(clockImpl) {}

    platform::Clock& clock() override { return clockImpl; }
    platform::MessageLoop& loop() override { return loopImpl; }
    platform::Screen& screen() override { return screenImpl; }
    platform::SettingsStore& settings() override { return settingsImpl; }
    platform::UserIdentity& user() override { return userImpl; }
    platform::MessageBoxes& messageBoxes() override { return messageBoxesImpl; }
    platform::Keyboard& keyboard() override { return keyboardImpl; }
    platform::Cursor& cursor() override { return cursorImpl; }
    platform::Gamepad& gamepad() override { return gamepadImpl; }
    platform::FontRasterizer& fontRasterizer() override {
        return systemFonts ? *systemFonts : fontsImpl;
    }
    platform::GlyphOutlines& glyphOutlines() override {
        return systemOutlines ? *systemOutlines : outlinesImpl;
    }
    platform::AudioOutput& audio() override { return audioImpl; }
    platform::RunFolder& runFolder() override { return runFolderImpl; }

    std::unique_ptr<platform::Window> createWindow() override;
    std::unique_ptr<platform::GlSurface> createGlSurface(platform::Window& parent) override;
    std::unique_ptr<platform::WebView> createWebView(platform::Window& parent) override;
    std::unique_ptr<platform::OffscreenGl> createOffscreenGl() override { return nullptr; }

    SimClock clockImpl;
    SimMessageLoop loopImpl;
    SimScreen screenImpl;
    SimSettingsStore settingsImpl;
    SimUserIdentity userImpl;
    SimMessageBoxes messageBoxesImpl;
    SimKeyboard keyboardImpl;
    SimCursor cursorImpl;
    SimGamepad gamepadImpl;
    SimFontRasterizer fontsImpl;
    SimGlyphOutlines outlinesImpl;
    SimAudioOutput audioImpl;
    SimRunFolder runFolderImpl;
    SimWeb web;
    // The system's fonts in place of the boxes above, for pictures that are to look
    // as the game's do (not owned; set before anything is created).
    platform::FontRasterizer* systemFonts = nullptr;
    platform::GlyphOutlines* systemOutlines = nullptr;

    // Everything created, in creation order (owned by the callers).
    std::vector<SimWindow*> windows;
    std::vector<SimGlSurface*> glSurfaces;
    std::vector<SimWebView*> webViews;
};

} // namespace coilrun::sim
