#pragma once
#include "engine/platform/platform.h"
#include "platform/qt/qt_audio.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_cursor.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_keyboard.h"
#include "platform/qt/qt_message_loop.h"
#include "platform/qt/qt_run_folder.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/sdl_gamepad.h"

namespace coilrun::qt {

// The real platform. Create it after the QApplication, destroy it before.
class QtPlatform : public platform::Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    platform::Clock& clock() override { return clock_; }
    platform::MessageLoop& loop() override { return loop_; }
    platform::Screen& screen() override { return screen_; }
    platform::SettingsStore& settings() override { return settings_; }
    platform::UserIdentity& user() override { return user_; }
    platform::MessageBoxes& messageBoxes() override { return messageBoxes_; }
    platform::Keyboard& keyboard() override { return keyboard_; }
    platform::Cursor& cursor() override { return cursor_; }
    platform::Gamepad& gamepad() override { return gamepad_; }
    platform::FontRasterizer& fontRasterizer() override { return fonts_; }
    platform::GlyphOutlines& glyphOutlines() override { return outlines_; }
    platform::AudioOutput& audio() override { return audio_; }
    platform::RunFolder& runFolder() override { return runFolder_; }

    std::unique_ptr<platform::Window> createWindow() override;
    std::unique_ptr<platform::GlSurface> createGlSurface(platform::Window& parent) override;
    std::unique_ptr<platform::WebView> createWebView(platform::Window& parent) override;
    std::unique_ptr<platform::OffscreenGl> createOffscreenGl() override;

private:
    QtClock clock_;
    QtMessageLoop loop_;
    QtScreen screen_;
    QtSettingsStore settings_;
    QtUserIdentity user_;
    QtMessageBoxes messageBoxes_;
    QtKeyboard keyboard_;
    QtCursor cursor_;
    SdlGamepad gamepad_;
    QtFontRasterizer fonts_;
    QtGlyphOutlines outlines_;
    QtAudioOutput audio_;
    QtRunFolder runFolder_;
};

// Before the QApplication exists: mouse look warps the pointer and the game window
// keeps itself on top, which a Wayland compositor refuses to clients, so on a Wayland
// desktop the X11 platform (XWayland) is asked for unless the user chose one.
void preferX11OnWayland();

// Before the QApplication exists: the web engine's sandbox cannot work for root, and
// the engine then ends the whole program at its first page; so for root it runs
// without the sandbox (the engine's own switch, QTWEBENGINE_DISABLE_SANDBOX) unless
// the user set that switch either way.
void allowWebEngineAsRoot();

// The default 2.1 compatibility-profile format for every GL context of the program.
void setDefaultGlFormat();

} // namespace coilrun::qt
