#pragma once
#include "engine/platform/window.h"

#include <string>
#include <vector>

namespace coilrun::sim {

// A widget that only remembers what was done to it.
class SimWidget : public platform::Widget {
public:
    void show() override { visible = true; }
    void hide() override { visible = false; }
    bool isVisible() const override { return visible; }
    void setGeometry(const platform::Rect& r) override { rect = r; }
    platform::Rect geometry() const override { return rect; }

    bool visible = true;
    platform::Rect rect;
};

class SimLabel : public SimWidget {
public:
    std::string text;
    platform::FontSpec font;
};

// A top-level window that records its state; tests read the fields directly.
class SimWindow : public platform::Window {
public:
    void show() override;
    void hide() override { visible = false; }
    bool isVisible() const override { return visible; }
    void close() override;
    void setCaption(const std::string& c) override { captionText = c; }
    std::string caption() const override { return captionText; }
    void setGeometry(const platform::Rect& r) override;
    platform::Rect geometry() const override { return rect; }
    void setMinimumSize(int w, int h) override { minWidth = w, minHeight = h; }
    void setMaximized(bool m) override { maximized = m; }
    // No window manager here: the frame is the client area.
    platform::Rect frameGeometry() const override { return rect; }
    void setFrameSize(int w, int h) override { setGeometry({rect.left, rect.top, w, h}); }
    void moveFrameTo(int l, int t) override { setGeometry({l, t, rect.width, rect.height}); }
    void setBorderStyle(platform::BorderStyle s) override { borderStyle = s; }
    bool setTransparentColor(const std::string& colour) override;
    void setStayOnTop(bool on) override { onTop = on; }
    bool stayOnTop() const override { return onTop; }
    void setBorderless(bool b) override { noBorder = b; }
    bool borderless() const override { return noBorder; }
    bool isActive() const override { return active && visible; }
    void activate() override {
        active = true;
        ++activations;
    }
    void paintNow() override;
    void setBackgroundColor(std::uint32_t argb) override { background = argb; }
    void setPicture(const platform::Image& p) override { picture = p; }
    void setIcon(const std::vector<platform::Image>& sizes) override { icons = sizes; }
    std::unique_ptr<platform::Widget> createPanel(std::uint32_t argb) override;
    std::unique_ptr<platform::Widget>
    createLabel(const std::string& text, const platform::FontSpec& font, int x, int y) override;

    bool visible = false;
    bool active = true; // a shown window has the focus unless a test takes it away
    int activations = 0;
    int showCount = 0; // how often show() turned the window from hidden to shown
    bool closed = false;
    std::string captionText;
    platform::Rect rect;
    int minWidth = 0, minHeight = 0;
    bool maximized = false;
    platform::BorderStyle borderStyle = platform::BorderStyle::Sizeable;
    std::string transparentColor;
    bool onTop = false;
    bool noBorder = false;
    std::uint32_t background = 0xffffffff;
    platform::Image picture;
    std::vector<platform::Image> icons;
    std::vector<SimLabel*> labels; // owned by whoever created them
    // The windows created so far (the platform's list), and how many there were when
    // this one was last painted at once (0: never).
    const std::vector<SimWindow*>* created = nullptr;
    std::size_t windowsWhenPainted = 0;
};

class SimScreen : public platform::Screen {
public:
    int width() const override { return w; }
    int height() const override { return h; }
    int dpi() const override { return dotsPerInch; }
    int w = 1280, h = 1024, dotsPerInch = 96;
};

} // namespace coilrun::sim
