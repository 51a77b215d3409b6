#pragma once
#include "engine/platform/window.h"
#include "online/page_commands.h"

#include <string>
#include <vector>

namespace coilrun::online {

using platform::BorderStyle;

// What the score browser's page commands do to the program and its windows; the
// score browser window provides it.
class ScoreBrowserHost {
public:
    virtual ~ScoreBrowserHost() = default;
    // "skip": every window closes and the program ends.
    virtual void endProgram() = 0;
    // "goback": the browser gives way to the game window, which covers the screen again.
    virtual void backToGame() = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void maximize() = 0;
    // The window's outer size (frame included), and the screen's size.
    virtual int frameWidth() const = 0;
    virtual int frameHeight() const = 0;
    virtual void setFrameWidth(int width) = 0;
    virtual void setFrameHeight(int height) = 0;
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    virtual void centreOnScreen() = 0;
    // The web view: where it loads, whether the page may make sound, where it lies
    // in the window (client pixels).
    virtual void navigate(const std::string& url) = 0;
    virtual void setSilent(bool silent) = 0;
    virtual void placeView(int left, int top, int width, int height) = 0;
    virtual void setBorderStyle(BorderStyle style) = 0;
    // Pixels of this colour (a name or number) become see-through; false when the
    // text names no colour.
    virtual bool setTransparentColor(const std::string& colour) = 0;
    // Starts the once-a-second timer that keeps the view's frame outside the window.
    virtual void startStyleTimer() = 0;
    virtual bool styleTimerRunning() const = 0;
    // The signed-in user's name.
    virtual std::string playerName() const = 0;
    // Modal message boxes with an OK button.
    virtual void showMessage(const std::string& text) = 0;
    virtual void showInformation(const std::string& text) = 0;
    // The error box for a page command's value that is not a number.
    virtual void showError(const std::string& text) = 0;
};

// The score browser: a page's title steers its window, through commands in it.
class ScoreBrowser {
public:
    ScoreBrowser(ScoreBrowserHost& host, std::string serverAddress);

    // A page has loaded; locationName is the view's name for it (its title, or its
    // address when it has none).
    void pageComplete(const std::string& locationName);
    // Every size negotiation of the window: the view follows its outer size.
    void constrainedResize();
    // Every second once a frameless style asked for it.
    void timerstyleTimer();
    // Loads a page and remembers it as the one a size change reloads.
    void load(const std::string& url);

    // "", "True" or "False": whether the view keeps its own frame inside the window.
    const std::string& styleState() const { return styleState_; }
    const std::string& pageBaseUrl() const { return pageBaseUrl_; }
    const std::string& lastTitle() const { return lastTitle_; }
    bool styleApplied() const { return labelvar_ == "DONE"; }

private:
    // Carries out one command; false when the rest of the page's commands must not run.
    bool run(const PageCommand& command, bool& userMatches);
    void reloadWithoutQuery();
    // "height" or "width": the window takes the size once, within the screen.
    void resize(bool height, int size);

    ScoreBrowserHost& host_;
    std::string serverAddress_;
    std::string pageBaseUrl_;
    std::string styleState_;
    std::string labelvar_ = "labelvar";
    std::string lastTitle_;
    int lastPageHeight_ = 0;
    int lastPageWidth_ = 0;
    bool updateNoticeShown_ = false;
};

// A page command's number as the game reads it: optional blanks, an optional sign
// and decimal digits; nothing else.
bool readInteger(const std::string& text, int& value);

} // namespace coilrun::online
