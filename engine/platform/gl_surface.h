#pragma once
#include "engine/platform/image.h"
#include "engine/platform/window.h"

#include <functional>
#include <memory>

namespace coilrun::platform {

// An OpenGL 2.1 compatibility-profile surface inside a window. The engine
// draws fixed-function GL into it from the paint handler, where its context
// is current.
class GlSurface : public Widget {
public:
    // Called once the context exists (and again if it is recreated), context current.
    std::function<void()> onInitialize;
    // Called when the context is about to go away, context current: release GL objects.
    std::function<void()> onRelease;
    // Called to draw a frame of width x height pixels, context current.
    std::function<void(int width, int height)> onPaint;
    // Pointer events in surface pixels; button: 0 left, 1 right, 2 middle.
    std::function<void(int button, int x, int y)> onMouseDown;
    std::function<void(int x, int y)> onMouseMove;

    // Asks for a repaint as soon as the loop can give one.
    virtual void requestFrame() = 0;
    // Frames painted since creation.
    virtual std::uint64_t framesPainted() const = 0;
};

// Renders into an image without a window: a framebuffer object on an offscreen
// context. Used by tests and benchmarks.
class OffscreenGl {
public:
    virtual ~OffscreenGl() = default;
    // Makes the context current, calls paint(width, height) with a framebuffer of that
    // size bound, and returns what it drew. Returns an empty image when GL is missing.
    virtual Image render(int width, int height, const std::function<void(int, int)>& paint) = 0;
    // Makes the offscreen context current without drawing (for GL set-up outside render).
    virtual bool makeCurrent() = 0;
};

} // namespace coilrun::platform
