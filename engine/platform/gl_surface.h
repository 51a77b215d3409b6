#pragma once
#include "engine/platform/image.h"
#include "engine/platform/window.h"

#include <functional>
#include <memory>

namespace coilrun::platform {

// The size of a frame. Everything the game lays out (window geometry, HUD positions,
// menu boxes, pointer positions) is in surface pixels, the window system's logical
// pixels; the framebuffer has device pixels, more of them on a display scaled up
// (twice as many each way at a device pixel ratio of 2). Only the viewport uses them.
struct FrameSize {
    int width = 0, height = 0;             // surface pixels
    int deviceWidth = 0, deviceHeight = 0; // framebuffer pixels
    bool operator==(const FrameSize&) const = default;
    // A frame whose framebuffer has one pixel per surface pixel.
    static FrameSize unscaled(int width, int height) { return {width, height, width, height}; }
};

// An OpenGL 2.1 compatibility-profile surface inside a window. The engine
// draws fixed-function GL into it from the paint handler, where its context
// is current.
class GlSurface : public Widget {
public:
    // Called once the context exists (and again if it is recreated), context current.
    std::function<void()> onInitialize;
    // Called when the context is about to go away, context current: release GL objects.
    std::function<void()> onRelease;
    // Called when the context went without a chance to release them (the driver lost it,
    // or it could not be made current any more): forget them, calling no GL.
    std::function<void()> onLost;
    // Called to draw a frame, context current.
    std::function<void(const FrameSize& size)> onPaint;
    // Pointer events in surface pixels, the unit of FrameSize::width and of every
    // position drawn over the view; button: 0 left, 1 right, 2 middle.
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
