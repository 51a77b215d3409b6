#pragma once
#include "engine/platform/window.h"
#include "online/page_commands.h"

#include <optional>
#include <string>
#include <vector>

namespace coilrun::online {

using platform::BorderStyle;

// Bounds on what a page may make the score browser show. A real page stays far below
// them (its caption is a short line, its notices a sentence or two); they keep a
// hostile one from stretching a caption or a box far past the screen's edges.
inline constexpr std::size_t kMaxCaptionBytes = 256;
inline constexpr std::size_t kMaxMessageBytes = 1024;
// The smallest client area a page may ask for: the page can still be seen, read and
// closed, whatever its title says.
inline constexpr int kMinClientWidth = 200;
inline constexpr int kMinClientHeight = 150;

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
    // The window's outer size (frame included), its client area, and the screen's size.
    virtual int frameWidth() const = 0;
    virtual int frameHeight() const = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
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
    // Modal message boxes with an OK button, showing their UTF-8 text as it is (never
    // as markup). They return once closed; pages may complete while one is open.
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
    // address when it has none). A page that completes while one of this browser's
    // message boxes is open runs once the box has closed; of several, the last.
    void pageComplete(const std::string& locationName);
    // Every size negotiation of the window: the view follows its outer size.
    void constrainedResize();
    // Every second once a frameless style asked for it.
    void timerstyleTimer();
    // Loads a page and remembers it as the one a size change reloads (once, whatever
    // the pages that follow ask).
    void load(const std::string& url);

    // "", "True" or "False": whether the view keeps its own frame inside the window.
    const std::string& styleState() const { return styleState_; }
    const std::string& pageBaseUrl() const { return pageBaseUrl_; }
    const std::string& lastTitle() const { return lastTitle_; }
    bool styleApplied() const { return labelvar_ == "DONE"; }

private:
    // What one page's commands have done so far.
    struct PageState {
        bool userMatches = false;
        bool messageShown = false;
    };
    enum class Box { Message, Information, Error };

    void runPage(const std::string& locationName);
    // Carries out one command; false when the rest of the page's commands must not run.
    bool run(const PageCommand& command, PageState& page);
    void showBox(Box box, const std::string& text);
    void showNumberError(const std::string& value);
    void reloadWithoutQuery();
    // "height" or "width": the window takes the size, within the screen and not below
    // the smallest client area.
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
    // Reloading for a size happens once per loaded page: two sizes in one title would
    // otherwise each be new against the other, and the page reload itself for ever.
    bool reloadedForSize_ = false;
    bool boxOpen_ = false;
    std::optional<std::string> pageAfterBox_;
};

// A page command's number as the game reads it: optional blanks, an optional sign
// and decimal digits; nothing else.
bool readInteger(const std::string& text, int& value);

} // namespace coilrun::online
