#pragma once
#include "engine/platform/gl_surface.h"

#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace coilrun::qt {

// Renders without a window into a framebuffer object of a 2.1 compatibility
// context of its own.
class QtOffscreenGl : public platform::OffscreenGl {
public:
    QtOffscreenGl();
    ~QtOffscreenGl() override;

    platform::Image render(int width, int height,
                           const std::function<void(int, int)>& paint) override;
    bool makeCurrent() override;

private:
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
};

} // namespace coilrun::qt
