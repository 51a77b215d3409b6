#pragma once
#include "engine/objects/color.h"
#include "engine/objects/component.h"
#include "engine/platform/clock.h"
#include "engine/platform/gl_surface.h"
#include "engine/platform/image.h"
#include "engine/render/gl_renderer.h"

#include <functional>

namespace coilrun::engine {

class TGLCamera;
class TGLScene;

// The 3D view of a window: draws its scene from its camera on a GL surface,
// asks the surface for a new frame whenever the scene changes, counts frames
// for FramesPerSecond and frees what its renderer compiled and uploaded when the
// surface's context goes.
// It can also draw into an offscreen surface (tests, benchmarks).
class TGLSceneViewer : public TGLComponent, private UpdateOwner {
public:
    // surface may be null for a viewer that only renders offscreen. The viewer
    // installs the surface's callbacks; use onMouseDown/onMouseMove here instead.
    TGLSceneViewer(platform::GlSurface* surface, const platform::Clock& clock);
    ~TGLSceneViewer() override;
    std::string className() const override { return "TGLSceneViewer"; }

    // Links are cleared when the scene or camera is destroyed.
    TGLScene* scene() const { return scene_; }
    void setScene(TGLScene* scene);
    TGLCamera* camera() const { return camera_; }
    void setCamera(TGLCamera* camera);

    // Degrees across the smaller side of the view. Setting it sets the camera's
    // FocalLength = d / (2 tan(FieldOfView / 2)), d the smaller of width and
    // height in pixels; until the size is known the value waits for the first frame.
    float fieldOfView() const;
    void setFieldOfView(float degrees);

    // Buffer settings.
    TGLColor& backgroundColor() { return background_; }
    const TGLColor& backgroundColor() const { return background_; }
    bool faceCulling() const { return settings_.faceCulling; }
    void setFaceCulling(bool on);
    bool lighting() const { return settings_.lighting; }
    void setLighting(bool on);
    bool fogEnable() const { return settings_.fogEnable; }
    void setFogEnable(bool on);
    // Pixels per inch the projection is made for (the screen's).
    float dpi() const { return settings_.dpi; }
    void setDpi(float dpi);

    // Frames drawn per second since the last reset (0 before two readings differ).
    double framesPerSecond() const;
    void resetPerformanceMonitor();
    std::uint64_t framesRendered() const { return frames_; }

    // Draws a frame into the current context: the 3D view over all device pixels, the
    // overlay (HUD, menus) laid out in surface pixels.
    void render(const platform::FrameSize& size);
    // A frame with one device pixel per surface pixel.
    void render(int width, int height) { render(platform::FrameSize::unscaled(width, height)); }
    // Tells the viewer its size in surface pixels before (or without) drawing: applies
    // a waiting FieldOfView.
    void resize(int width, int height);
    // Draws one frame offscreen and returns it, deviceWidth x deviceHeight pixels (empty
    // when GL is missing). The offscreen context keeps its own GL objects: call
    // releaseOffscreen(gl) before destroying the OffscreenGl.
    platform::Image renderToImage(platform::OffscreenGl& gl, const platform::FrameSize& size);
    platform::Image renderToImage(platform::OffscreenGl& gl, int width, int height) {
        return renderToImage(gl, platform::FrameSize::unscaled(width, height));
    }
    void releaseOffscreen(platform::OffscreenGl& gl);
    // Frees GL objects of the current context (called by the surface on context loss).
    void releaseGl();
    // Asks the surface for a new frame (at most one outstanding request).
    void invalidate();

    // The last frame's size in surface pixels (the pointer's unit), and in device pixels.
    int width() const { return width_; }
    int height() const { return height_; }
    const platform::FrameSize& frameSize() const { return frameSize_; }
    // The renderer of the surface's context, and the one of renderToImage.
    GlRenderer& renderer() { return renderer_; }
    GlRenderer& offscreenRenderer() { return offscreenRenderer_; }

    // Pointer events from the surface, in surface pixels (those HUD texts and menus are
    // placed in); button: 0 left, 1 right, 2 middle.
    std::function<void(int button, int x, int y)> onMouseDown;
    std::function<void(int x, int y)> onMouseMove;
    // Called after each frame with the frame's size in surface pixels (context still
    // current; frameSize() has the device pixels): extra drawing, screenshots.
    std::function<void(int width, int height)> onAfterRender;

protected:
    void notification(TGLComponent* removed) override;

private:
    void notifyChange(const void* sender) override;
    void applyPendingFieldOfView(int width, int height);

    platform::GlSurface* surface_;
    const platform::Clock& clock_;
    TGLScene* scene_ = nullptr;
    TGLCamera* camera_ = nullptr;
    int listenerId_ = 0;
    GlRenderer renderer_;
    // The offscreen context has its own names: a renderer of its own.
    GlRenderer offscreenRenderer_;
    FrameSettings settings_;
    TGLColor background_;
    float fieldOfView_ = 0;
    bool fieldOfViewPending_ = false;
    bool frameRequested_ = false;
    int width_ = 0, height_ = 0;
    platform::FrameSize frameSize_;
    std::uint64_t frames_ = 0;
    double monitorStart_ = 0;
};

} // namespace coilrun::engine
