#pragma once
#include "engine/platform/gl_surface.h"

#include <QPointer>
#include <QWidget>
#include <vector>

namespace coilrun::qt {

class GlWindow;

// The scene viewer's surface: a GL window inside a window container with a 2.1
// compatibility-profile context of its own, painting whenever a frame is asked for.
// A window draws straight to the screen; a QOpenGLWidget is composed with the rest
// of the window every frame, which with Mesa's software GL costs about two thirds of
// the frame rate (see bench/render). The context is made at the first frame and kept
// while the native window is made again; it shares its objects with no other context.
class QtGlSurface : public platform::GlSurface {
public:
    explicit QtGlSurface(QWidget* parent);
    ~QtGlSurface() override;

    // Draws a frame at once, if the window is on the screen; false when it is not.
    bool paintNow();
    // Lets the context go (onRelease first, with it current) and asks for a frame, which
    // makes a new one (onInitialize): what a move to another GPU or a driver reset does.
    void loseContext();
    // Every surface of the program.
    static std::vector<QtGlSurface*> all();

    void show() override;
    void hide() override;
    bool isVisible() const override;
    void setGeometry(const platform::Rect& r) override;
    platform::Rect geometry() const override;
    void requestFrame() override;
    std::uint64_t framesPainted() const override { return frames_; }
    // The container widget, for layouts (owned by the parent given, or by this surface).
    QWidget* widget() const;

private:
    friend class GlWindow;
    QPointer<QWidget> container_;
    GlWindow* window_ = nullptr; // owned by the container
    std::uint64_t frames_ = 0;
    bool framePosted_ = false; // a frame request is in the event queue
};

} // namespace coilrun::qt
