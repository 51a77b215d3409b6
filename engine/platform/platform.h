#pragma once
#include "engine/platform/audio.h"
#include "engine/platform/clock.h"
#include "engine/platform/fonts.h"
#include "engine/platform/gl_surface.h"
#include "engine/platform/input.h"
#include "engine/platform/message_boxes.h"
#include "engine/platform/message_loop.h"
#include "engine/platform/run_folder.h"
#include "engine/platform/settings_store.h"
#include "engine/platform/web_view.h"
#include "engine/platform/window.h"

#include <memory>

namespace coilrun::platform {

// Everything the program needs from the system, in one place. The Qt
// implementation lives in platform/qt/, the simulated one in tests/sim/.
class Platform {
public:
    virtual ~Platform() = default;

    virtual Clock& clock() = 0;
    virtual MessageLoop& loop() = 0;
    virtual Screen& screen() = 0;
    virtual SettingsStore& settings() = 0;
    virtual UserIdentity& user() = 0;
    virtual MessageBoxes& messageBoxes() = 0;
    virtual Keyboard& keyboard() = 0;
    virtual Cursor& cursor() = 0;
    virtual Gamepad& gamepad() = 0;
    virtual FontRasterizer& fontRasterizer() = 0;
    virtual GlyphOutlines& glyphOutlines() = 0;
    virtual AudioOutput& audio() = 0;
    virtual RunFolder& runFolder() = 0;

    virtual std::unique_ptr<Window> createWindow() = 0;
    virtual std::unique_ptr<GlSurface> createGlSurface(Window& parent) = 0;
    virtual std::unique_ptr<WebView> createWebView(Window& parent) = 0;
    // Null when the platform has no GL (the simulated one).
    virtual std::unique_ptr<OffscreenGl> createOffscreenGl() = 0;
};

} // namespace coilrun::platform
