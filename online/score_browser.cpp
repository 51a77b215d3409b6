#include "online/score_browser.h"

#include "online/page_text.h"
#include "online/score_server.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

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
    reloadedForSize_ = false;
    host_.navigate(url);
}

void ScoreBrowser::reloadWithoutQuery() {
    // Without its query the page is shown again but nothing is counted twice.
    host_.navigate(pageBaseUrl_.substr(0, pageBaseUrl_.find('?')));
}

void ScoreBrowser::pageComplete(const std::string& locationName) {
    // Boxes never nest: a page that completes under an open box (its loop runs while
    // the player reads) waits for it. Only the last such page is still in the view.
    if (boxOpen_) {
        pageAfterBox_ = locationName;
        return;
    }
    runPage(locationName);
    while (pageAfterBox_) {
        const std::string next = std::move(*pageAfterBox_);
        pageAfterBox_.reset();
        runPage(next);
    }
}

void ScoreBrowser::runPage(const std::string& locationName) {
    // A bare address means the page had no title.
    const bool address = locationName.size() >= 5 && locationName[4] == ':';
    lastTitle_ = address ? std::string() : locationName;
    PageState page;
    for (const PageCommand& command : parsePageCommands(lastTitle_))
        if (!run(command, page)) break;
}

void ScoreBrowser::showBox(Box box, const std::string& text) {
    struct Open {
        bool& open;
        explicit Open(bool& o) : open(o) { open = true; }
        ~Open() { open = false; }
    } open(boxOpen_);
    const std::string shown = cutUtf8(text, kMaxMessageBytes);
    switch (box) {
    case Box::Message:
        host_.showMessage(shown);
        break;
    case Box::Information:
        host_.showInformation(shown);
        break;
    case Box::Error:
        host_.showError(shown);
        break;
    }
}

void ScoreBrowser::showNumberError(const std::string& value) {
    // The value is cut before it is quoted, so that the box still says what is wrong.
    const std::string quoted = cutUtf8(value, kMaxMessageBytes / 2);
    showBox(Box::Error, "'" + quoted + "' is not a valid integer value");
}

bool ScoreBrowser::run(const PageCommand& c, PageState& page) {
    const std::string& name = c.name;
    if (name == "skip") {
        host_.endProgram();
        return false;
    }
    if (name == "goback") host_.backToGame();
    if (name == "title") host_.setCaption(cutUtf8(c.value, kMaxCaptionBytes));
    if (name == "max") host_.maximize();
    if (name == "height" || name == "width") {
        int size = 0;
        if (!readInteger(c.value, size)) {
            showNumberError(c.value);
            return false;
        }
        resize(name == "height", size);
    }
    if (name == "user") {
        const std::string player = host_.playerName();
        if (c.value.size() <= player.size() && player.compare(0, c.value.size(), c.value) == 0)
            page.userMatches = true;
    }
    // One message a page: a title of many would keep the player closing boxes.
    if (name == "msg" && page.userMatches && !page.messageShown) {
        page.messageShown = true;
        showBox(Box::Message, c.value);
    }
    if (name == "update" && !updateNoticeShown_) {
        int version = 0;
        if (!readInteger(c.value.substr(0, 3), version)) {
            showNumberError(c.value.substr(0, 3));
            return false;
        }
        if (version > 1) {
            updateNoticeShown_ = true;
            showBox(Box::Information, c.value.size() > 3 ? c.value.substr(3) : std::string());
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
    // In 64 bits: a page may ask for any int, and the frame's share comes on top.
    const std::int64_t frame = height ? host_.frameHeight() : host_.frameWidth();
    const std::int64_t client = height ? host_.clientHeight() : host_.clientWidth();
    const std::int64_t screen = height ? host_.screenHeight() : host_.screenWidth();
    const std::int64_t smallest =
        (height ? kMinClientHeight : kMinClientWidth) + std::max<std::int64_t>(frame - client, 0);
    std::int64_t target = std::max<std::int64_t>(size, smallest);
    // Kept within the screen, across as well as down.
    const bool tooLarge = target > screen;
    if (tooLarge) target = std::max(screen - 20, smallest);
    target = std::min<std::int64_t>(target, std::numeric_limits<int>::max());
    if (height)
        host_.setFrameHeight(int(target));
    else
        host_.setFrameWidth(int(target));
    if (tooLarge) host_.maximize();
    host_.centreOnScreen();
    if (!reloadedForSize_) {
        reloadedForSize_ = true;
        reloadWithoutQuery();
    }
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
