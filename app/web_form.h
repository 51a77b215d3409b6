#pragma once
#include "engine/platform/platform.h"
#include "engine/time/timer.h"
#include "online/score_browser.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace coilrun {

// The score browser: a plain window filled by a web view that shows the score
// server's pages. The commands in a page's title steer it (online/score_browser);
// the run report of every quit is sent from here.
class TFormWeb : private online::ScoreBrowserHost {
public:
    explicit TFormWeb(platform::Platform& platform);
    ~TFormWeb() override;

    void FormCreate();
    void FormClose();
    void wb1DocumentComplete();
    void FormConstrainedResize();
    void timerstyleTimer();

    // Sends the run report (the NEW flag and, when a score was made, the best
    // score, the date and the player's name) and shows the server's answer. Once
    // that answer has come, the run file that made the best score (when given)
    // follows it to the server, which re-plays it to check the score.
    void OnlineCount(int bestScore, std::vector<std::uint8_t> bestRun = {});
    // Shows a credit page ("Kestrin", "Velmora").
    void showCreditPage(const std::string& person);

    platform::Window& window() { return *window_; }
    platform::WebView& browser() { return *wb1; }
    const online::ScoreBrowser& scoreBrowser() const { return browser_; }

    // Set by the application: hide the splash; close the game and splash windows;
    // end the program (a page's "skip"); give the screen back to the game ("goback").
    std::function<void()> hideSplash;
    std::function<void()> closeOtherWindows;
    std::function<void()> onSkip;
    std::function<void()> onGoBack;

private:
    // What the page commands do to this window.
    void setCaption(const std::string& caption) override { window_->setCaption(caption); }
    void maximize() override { window_->setMaximized(true); }
    int frameWidth() const override { return window_->frameGeometry().width; }
    int frameHeight() const override { return window_->frameGeometry().height; }
    int clientWidth() const override { return window_->geometry().width; }
    int clientHeight() const override { return window_->geometry().height; }
    void setFrameWidth(int width) override;
    void setFrameHeight(int height) override;
    int screenWidth() const override { return platform_.screen().width(); }
    int screenHeight() const override { return platform_.screen().height(); }
    void centreOnScreen() override;
    void navigate(const std::string& url) override { wb1->navigate(url); }
    void setSilent(bool silent) override { wb1->setSilent(silent); }
    void placeView(int left, int top, int width, int height) override {
        wb1->setGeometry({left, top, width, height});
    }
    void setBorderStyle(online::BorderStyle style) override { window_->setBorderStyle(style); }
    bool setTransparentColor(const std::string& colour) override {
        return window_->setTransparentColor(colour);
    }
    void startStyleTimer() override { timerstyle->setEnabled(true); }
    bool styleTimerRunning() const override { return timerstyle->enabled(); }
    std::string playerName() const override;
    void showMessage(const std::string& text) override;
    void showInformation(const std::string& text) override;
    void showError(const std::string& text) override;
    void endProgram() override;
    void backToGame() override;

    platform::Platform& platform_;
    std::unique_ptr<platform::Window> window_;
    std::unique_ptr<platform::Widget> labelvar;
    std::unique_ptr<platform::WebView> wb1;
    std::unique_ptr<engine::TTimer> timerstyle;
    online::ScoreBrowser browser_;
    std::vector<std::uint8_t> pendingRun_;
};

} // namespace coilrun
