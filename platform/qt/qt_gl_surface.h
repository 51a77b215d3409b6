#pragma once
#include "engine/platform/gl_surface.h"

#include <QOpenGLWidget>
#include <QPointer>

namespace coilrun::qt {

class GlWidget;

// The scene viewer's surface: a 2.1 compatibility-profile GL widget that paints
// whenever a frame is asked for.
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
    // The QOpenGLWidget, for layouts (owned by the parent given, or by this surface).
    QWidget* widget() const;

private:
    friend class GlWidget;
    QPointer<GlWidget> widget_;
    std::uint64_t frames_ = 0;
};

} // namespace coilrun::qt
