#include "engine/render/scene_viewer.h"

#include "engine/objects/camera.h"
#include "engine/objects/scene.h"

#include <algorithm>
#include <cmath>

namespace coilrun::engine {

TGLSceneViewer::TGLSceneViewer(platform::GlSurface* surface, const platform::Clock& clock)
    : surface_(surface), clock_(clock), background_(this, {0, 0, 0, 1}) {
    monitorStart_ = clock_.seconds();
    if (!surface_) return;
    // A new context holds none of the names of the one before.
    surface_->onInitialize = [this] { renderer_.forgetGl(); };
    surface_->onRelease = [this] { releaseGl(); };
    surface_->onLost = [this] { renderer_.forgetGl(); };
    surface_->onPaint = [this](const platform::FrameSize& size) { render(size); };
    surface_->onMouseDown = [this](int button, int x, int y) {
        if (onMouseDown) onMouseDown(button, x, y);
    };
    surface_->onMouseMove = [this](int x, int y) {
        if (onMouseMove) onMouseMove(x, y);
    };
}

TGLSceneViewer::~TGLSceneViewer() {
    setScene(nullptr);
    setCamera(nullptr);
    if (surface_) {
        surface_->onInitialize = nullptr;
        surface_->onRelease = nullptr;
        surface_->onLost = nullptr;
        surface_->onPaint = nullptr;
        surface_->onMouseDown = nullptr;
        surface_->onMouseMove = nullptr;
    }
}

void TGLSceneViewer::setScene(TGLScene* scene) {
    if (scene_ == scene) return;
    if (scene_) {
        scene_->removeChangeListener(listenerId_);
        scene_->removeFreeNotification(this);
    }
    scene_ = scene;
    if (scene_) {
        listenerId_ = scene_->addChangeListener([this] { invalidate(); });
        scene_->addFreeNotification(this);
    }
    invalidate();
}

void TGLSceneViewer::setCamera(TGLCamera* camera) {
    if (camera_ == camera) return;
    if (camera_) camera_->removeFreeNotification(this);
    camera_ = camera;
    if (camera_) camera_->addFreeNotification(this);
    invalidate();
}

void TGLSceneViewer::notification(TGLComponent* removed) {
    if (removed == scene_) {
        // Its listeners went with it.
        scene_ = nullptr;
        listenerId_ = 0;
    }
    if (removed == camera_) camera_ = nullptr;
}

void TGLSceneViewer::notifyChange(const void*) {
    invalidate();
}

float TGLSceneViewer::fieldOfView() const {
    int w = width_, h = height_;
    if ((w <= 0 || h <= 0) && surface_) {
        w = surface_->geometry().width;
        h = surface_->geometry().height;
    }
    if (fieldOfViewPending_ || !camera_ || w <= 0 || h <= 0) return fieldOfView_;
    const float d = float(std::min(w, h));
    return 2 * std::atan(d / (2 * camera_->focalLength())) * kRadToDeg;
}

void TGLSceneViewer::setFieldOfView(float degrees) {
    if (!(degrees > 0 && degrees < 180)) return;
    fieldOfView_ = degrees;
    fieldOfViewPending_ = true;
    int w = width_, h = height_;
    if ((w <= 0 || h <= 0) && surface_) {
        w = surface_->geometry().width;
        h = surface_->geometry().height;
    }
    applyPendingFieldOfView(w, h);
}

void TGLSceneViewer::applyPendingFieldOfView(int width, int height) {
    if (!fieldOfViewPending_ || !camera_ || width <= 0 || height <= 0) return;
    const float d = float(std::min(width, height));
    camera_->setFocalLength(d / (2 * std::tan(fieldOfView_ * 0.5f * kDegToRad)));
    fieldOfViewPending_ = false;
}

void TGLSceneViewer::setFaceCulling(bool on) {
    if (settings_.faceCulling != on) {
        settings_.faceCulling = on;
        invalidate();
    }
}

void TGLSceneViewer::setLighting(bool on) {
    if (settings_.lighting != on) {
        settings_.lighting = on;
        invalidate();
    }
}

void TGLSceneViewer::setFogEnable(bool on) {
    if (settings_.fogEnable != on) {
        settings_.fogEnable = on;
        invalidate();
    }
}

void TGLSceneViewer::setDpi(float dpi) {
    if (dpi > 0 && settings_.dpi != dpi) {
        settings_.dpi = dpi;
        invalidate();
    }
}

double TGLSceneViewer::framesPerSecond() const {
    const double elapsed = clock_.seconds() - monitorStart_;
    return elapsed > 0 ? double(frames_) / elapsed : 0.0;
}

void TGLSceneViewer::resetPerformanceMonitor() {
    frames_ = 0;
    monitorStart_ = clock_.seconds();
}

void TGLSceneViewer::resize(int width, int height) {
    width_ = width;
    height_ = height;
    applyPendingFieldOfView(width, height);
}

void TGLSceneViewer::render(const platform::FrameSize& size) {
    frameRequested_ = false;
    resize(size.width, size.height);
    frameSize_ = size;
    settings_.backgroundColor = background_.color();
    if (scene_) renderer_.renderFrame(*scene_, camera_, size, settings_);
    ++frames_;
    if (onAfterRender) onAfterRender(size.width, size.height);
}

platform::Image TGLSceneViewer::renderToImage(platform::OffscreenGl& gl,
                                              const platform::FrameSize& size) {
    return gl.render(size.deviceWidth, size.deviceHeight, [&](int, int) {
        resize(size.width, size.height);
        frameSize_ = size;
        settings_.backgroundColor = background_.color();
        if (scene_) offscreenRenderer_.renderFrame(*scene_, camera_, size, settings_);
        ++frames_;
    });
}

void TGLSceneViewer::releaseOffscreen(platform::OffscreenGl& gl) {
    if (gl.makeCurrent())
        offscreenRenderer_.releaseGl();
    else
        offscreenRenderer_.forgetGl();
}

void TGLSceneViewer::releaseGl() {
    renderer_.releaseGl();
}

void TGLSceneViewer::invalidate() {
    if (!surface_ || frameRequested_) return;
    frameRequested_ = true;
    surface_->requestFrame();
}

} // namespace coilrun::engine
