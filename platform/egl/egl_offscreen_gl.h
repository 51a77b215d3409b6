#pragma once
#include "engine/platform/gl_surface.h"

#include <string>

namespace coilrun::egl {

// Renders into a framebuffer object of a desktop GL context made through EGL with no
// window system at all: Mesa's surfaceless platform where it has one, else the default
// display with a small pixel buffer. So pictures and benchmarks need no X server, and
// run the same on a machine with a GPU and no display.
class EglOffscreenGl : public platform::OffscreenGl {
public:
    EglOffscreenGl();
    ~EglOffscreenGl() override;
    EglOffscreenGl(const EglOffscreenGl&) = delete;
    EglOffscreenGl& operator=(const EglOffscreenGl&) = delete;

    // False when no context could be made (then every call does nothing).
    bool valid() const { return context_ != nullptr; }
    // How the context was made and what renders it, for a report.
    std::string description() const { return description_; }

    platform::Image render(int width, int height,
                           const std::function<void(int, int)>& paint) override;
    bool makeCurrent() override;

    // Makes the context current with a width x height framebuffer bound, to draw into
    // without reading it back (benchmarks). False when that cannot be had.
    bool bindFramebuffer(int width, int height);
    // Waits until everything drawn so far has reached the framebuffer, as a swap would.
    void finish();
    // The framebuffer's pixels, top row first (after bindFramebuffer and drawing).
    platform::Image readPixels();

private:
    void freeFramebuffer();

    void* display_ = nullptr; // EGLDisplay
    void* context_ = nullptr; // EGLContext
    void* surface_ = nullptr; // EGLSurface: none on the surfaceless platform
    std::string description_;
    unsigned framebuffer_ = 0, colour_ = 0, depth_ = 0;
    int width_ = 0, height_ = 0;
};

} // namespace coilrun::egl
