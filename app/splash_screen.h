#pragma once
#include "engine/platform/platform.h"
#include "engine/time/timer.h"

#include <functional>
#include <memory>
#include <string>

namespace coilrun {

// The first window: a small borderless picture with "Loading..." that fetches
// the score list in a hidden web view, and brings up the game window when the
// page has loaded or after 20 seconds, whichever comes first.
class TSplashScreen {
public:
    explicit TSplashScreen(platform::Platform& platform);
    ~TSplashScreen();

    void FormCreate();
    void wb1DocumentComplete();
    void timer2Timer();

    platform::Window& window() { return *window_; }

    // Shows the game window (set by the application once it exists).
    std::function<void()> showMainWindow;

    // What the score list page gave: its title, unless the title was an address.
    bool scoreListAvailable = false;
    std::string scoreListText;
    int splashTicks = 0;

private:
    // The game window is shown from here once only: a later show (the page completing
    // late, the timer's fallback) would bring it back over a player who already quit.
    void showMainWindowOnce();

    bool mainWindowShown_ = false;
    std::unique_ptr<platform::Window> window_;
    std::unique_ptr<platform::Widget> label2;
    std::unique_ptr<platform::WebView> wb1;
    std::unique_ptr<engine::TTimer> timer2;
};

// The splash picture built into the program (stretched over the window).
platform::Image splashPicture();

} // namespace coilrun
