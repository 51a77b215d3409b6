#pragma once
#include "engine/platform/gl_surface.h"

#include <QPointer>
#include <QWidget>

namespace coilrun::qt {

class GlWindow;

// The scene viewer's surface: a 2.1 compatibility-profile QOpenGLWindow inside
// a window container, painting whenever a frame is asked for. A window draws
// straight to the screen; a QOpenGLWidget is composed with the rest of the
// window every frame, which with Mesa's software GL costs about two thirds of
// the frame rate (see bench/render).
class QtGlSurface : public platform::GlSurface {
public:
    explicit QtGlSurface(QWidget* parent);
    ~QtGlSurface() override;

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
