#pragma once
#include "engine/platform/platform.h"
#include "engine/time/timer.h"

#include <functional>
#include <memory>
#include <string>

namespace coilrun {

// The score browser: a plain window filled by a web view that shows the score
// server's pages.
class TFormWeb {
public:
    explicit TFormWeb(platform::Platform& platform);
    ~TFormWeb();

    void FormCreate();
    void FormClose();

    platform::Window& window() { return *window_; }
    platform::WebView& browser() { return *wb1; }

    // Set by the application: hide the splash; close the game and splash windows.
    std::function<void()> hideSplash;
    std::function<void()> closeOtherWindows;

    std::string styleState;

private:
    platform::Platform& platform_;
    std::unique_ptr<platform::Window> window_;
    std::unique_ptr<platform::Widget> labelvar;
    std::unique_ptr<platform::WebView> wb1;
    std::unique_ptr<TTimer> timerstyle;
};

} // namespace coilrun
