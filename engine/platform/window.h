#pragma once
#include "engine/platform/font_description.h"
#include "engine/platform/image.h"

#include <functional>
#include <memory>
#include <string>

namespace coilrun::platform {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// Something placed inside a window: a panel, a label, a GL surface, a web view.
class Widget {
public:
    virtual ~Widget() = default;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    // Position and size in the parent's client pixels.
    virtual void setGeometry(const Rect& r) = 0;
    virtual Rect geometry() const = 0;
};

// The frames a window may take, as the window manager offers them: none, fixed with a
// title, resizable, a dialog's, and a tool window's small one, fixed or resizable.
enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWindow };

// A top-level window. Geometry is the client area in screen pixels.
class Window {
public:
    virtual ~Window() = default;

    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    // Closes the window: onClose runs first, then the window hides.
    virtual void close() = 0;

    // UTF-8.
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string caption() const = 0;
    // Setting the geometry, the minimum size or a style to what the window already has
    // changes nothing: the game lays its window out again every few milliseconds.
    virtual void setGeometry(const Rect& r) = 0;
    virtual Rect geometry() const = 0;
    virtual void setMinimumSize(int width, int height) = 0;
    virtual void setMaximized(bool maximized) = 0;
    // The window with its frame (what the window manager draws around the client area).
    virtual Rect frameGeometry() const = 0;
    // Resizes the window so that its frame is this large; moves its frame's corner.
    virtual void setFrameSize(int width, int height) = 0;
    virtual void moveFrameTo(int left, int top) = 0;
    virtual void setBorderStyle(BorderStyle style) = 0;
    // Pixels of this colour (a name such as "magenta" or a number such as "#ff00ff")
    // become see-through; false, and nothing changes, when the text names no colour.
    virtual bool setTransparentColor(const std::string& colour) = 0;
    virtual void setStayOnTop(bool onTop) = 0;
    virtual bool stayOnTop() const = 0;
    virtual void setBorderless(bool borderless) = 0;
    virtual bool borderless() const = 0;
    // Whether this window has the keyboard focus now.
    virtual bool isActive() const = 0;
    // Brings the window to the front and asks for the keyboard focus.
    virtual void activate() = 0;
    // Puts a shown window's content on the screen now, without waiting for the message
    // loop: for a window shown before slow work that would otherwise keep it blank.
    virtual void paintNow() = 0;
    // For a window shown before the web view it is to hold is made: readies it, so
    // that the view's arrival does not make the window anew on the screen, where it
    // would vanish and come back. Call it before show().
    virtual void prepareForWebView() {}

    virtual void setBackgroundColor(std::uint32_t argb) = 0;
    // A picture stretched over the whole client area, under every child.
    virtual void setPicture(const Image& picture) = 0;
    // The window's icon (several sizes; the system picks).
    virtual void setIcon(const std::vector<Image>& sizes) = 0;

    // Children. They are owned by the caller and must not outlive the window.
    virtual std::unique_ptr<Widget> createPanel(std::uint32_t argb) = 0;
    virtual std::unique_ptr<Widget> createLabel(const std::string& text, const FontSpec& font,
                                                int x, int y) = 0;

    // Called when the window is closed by the user or by close().
    std::function<void()> onClose;
    // Called when the client area takes a new size, whoever changed it (setGeometry,
    // the user, the window system), with that size in the window's pixels. Children
    // that fill the window follow it from here.
    std::function<void(int width, int height)> onResize;
};

// The screen the windows are on.
class Screen {
public:
    virtual ~Screen() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Logical pixels per inch (96 on a normal desktop).
    virtual int dpi() const = 0;
};

} // namespace coilrun::platform
