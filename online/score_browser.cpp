#include "online/score_browser.h"

#include "online/score_server.h"

#include <charconv>

namespace coilrun::online {

bool readInteger(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    while (first != last && *first == ' ')
        ++first;
    if (first != last && *first == '+') ++first;
    if (first == last) return false;
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last;
}

ScoreBrowser::ScoreBrowser(ScoreBrowserHost& host, std::string serverAddress)
    : host_(host), serverAddress_(std::move(serverAddress)) {}

void ScoreBrowser::load(const std::string& url) {
    pageBaseUrl_ = url;
    host_.navigate(url);
}

void ScoreBrowser::reloadWithoutQuery() {
    // Without its query the page is shown again but nothing is counted twice.
    host_.navigate(pageBaseUrl_.substr(0, pageBaseUrl_.find('?')));
}

void ScoreBrowser::pageComplete(const std::string& locationName) {
    // A bare address means the page had no title.
    const bool address = locationName.size() >= 5 && locationName[4] == ':';
    lastTitle_ = address ? std::string() : locationName;
    bool userMatches = false;
    for (const PageCommand& command : parsePageCommands(lastTitle_))
        if (!run(command, userMatches)) break;
}

bool ScoreBrowser::run(const PageCommand& c, bool& userMatches) {
    const std::string& name = c.name;
    if (name == "skip") {
        host_.endProgram();
        return false;
    }
    if (name == "goback") host_.backToGame();
    if (name == "title") host_.setCaption(c.value);
    if (name == "max") host_.maximize();
    if (name == "height" || name == "width") {
        int size = 0;
        if (!readInteger(c.value, size)) {
            host_.showError("'" + c.value + "' is not a valid integer value");
            return false;
        }
        resize(name == "height", size);
    }
    if (name == "user") {
        const std::string player = host_.playerName();
        if (c.value.size() <= player.size() && player.compare(0, c.value.size(), c.value) == 0)
            userMatches = true;
    }
    if (name == "msg" && userMatches) host_.showMessage(c.value);
    if (name == "update" && !updateNoticeShown_) {
        int version = 0;
        if (!readInteger(c.value.substr(0, 3), version)) {
            host_.showError("'" + c.value.substr(0, 3) + "' is not a valid integer value");
            return false;
        }
        if (version > 1) {
            host_.showInformation(c.value.size() > 3 ? c.value.substr(3) : std::string());
            updateNoticeShown_ = true;
        }
    }
    if (name == "sound") host_.setSilent(false);
    if (name == "style") {
        if (labelvar_ != "DONE") {
            if (c.value == "bsNone") {
                host_.setBorderStyle(BorderStyle::None);
                styleState_ = "False";
                host_.startStyleTimer();
            } else {
                styleState_ = "True";
            }
            if (c.value == "bsSingle") host_.setBorderStyle(BorderStyle::Single);
            if (c.value == "bsSizeable") host_.setBorderStyle(BorderStyle::Sizeable);
            if (c.value == "bsDialog") host_.setBorderStyle(BorderStyle::Dialog);
            if (c.value == "bsToolWindow") host_.setBorderStyle(BorderStyle::ToolWindow);
            if (c.value == "bsSizeToolWin") host_.setBorderStyle(BorderStyle::SizeToolWindow);
            host_.navigate(serverAddress_ + kDataPath + "add");
            labelvar_ = "DONE";
        }
    } else {
        styleState_ = "True";
    }
    if (name == "tranco") host_.setTransparentColor(c.value);
    return true;
}

void ScoreBrowser::resize(bool height, int size) {
    int& last = height ? lastPageHeight_ : lastPageWidth_;
    if (size == last) return; // a page that asks for its size again is not reloaded again
    last = size;
    auto frame = [&] { return height ? host_.frameHeight() : host_.frameWidth(); };
    auto setFrame = [&](int v) { height ? host_.setFrameHeight(v) : host_.setFrameWidth(v); };
    const int screen = height ? host_.screenHeight() : host_.screenWidth();
    setFrame(size);
    // Kept within the screen, across as well as down.
    if (screen < frame()) {
        setFrame(screen - 20);
        host_.maximize();
    }
    host_.centreOnScreen();
    reloadWithoutQuery();
}

void ScoreBrowser::constrainedResize() {
    const int w = host_.frameWidth(), h = host_.frameHeight();
    if (styleState_ == "False")
        host_.placeView(-5, -5, w + 30, h + 30);
    else if ((styleState_ == "True" && !host_.styleTimerRunning()) || styleState_.empty())
        host_.placeView(0, 0, w, h);
}

void ScoreBrowser::timerstyleTimer() {
    host_.placeView(-5, -5, host_.frameWidth() + 30, host_.frameHeight() + 30);
}

} // namespace coilrun::online
