#include "tests/integration/hud/offscreen.h"

#ifndef COILRUN_HUD_LOCAL_OFFSCREEN
#include "platform/qt/qt_offscreen_gl.h"

namespace coilrun::hudtest {
std::unique_ptr<platform::OffscreenGl> makeOffscreenGl() {
    return std::make_unique<qt::QtOffscreenGl>();
}
} // namespace coilrun::hudtest

#else
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>

namespace coilrun::hudtest {
namespace {

// Until the platform has its own: a framebuffer object on a compatibility context.
class LocalOffscreenGl : public platform::OffscreenGl {
public:
    LocalOffscreenGl() {
        QSurfaceFormat f;
        f.setVersion(2, 1);
        f.setProfile(QSurfaceFormat::CompatibilityProfile);
        f.setDepthBufferSize(24);
        context_.setFormat(f);
        surface_.setFormat(f);
        surface_.create();
        ok_ = context_.create() && surface_.isValid();
    }
    platform::Image render(int width, int height,
                           const std::function<void(int, int)>& paint) override {
        if (!makeCurrent()) return {};
        QOpenGLFramebufferObject fbo(width, height, QOpenGLFramebufferObject::CombinedDepthStencil);
        fbo.bind();
        context_.functions()->glViewport(0, 0, width, height);
        paint(width, height);
        const QImage img = fbo.toImage(true).convertToFormat(QImage::Format_ARGB32);
        fbo.release();
        platform::Image out;
        out.width = width;
        out.height = height;
        out.pixels.resize(std::size_t(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                out.at(x, y) = img.pixel(x, y);
        return out;
    }
    bool makeCurrent() override { return ok_ && context_.makeCurrent(&surface_); }

private:
    QOpenGLContext context_;
    QOffscreenSurface surface_;
    bool ok_ = false;
};

} // namespace

std::unique_ptr<platform::OffscreenGl> makeOffscreenGl() {
    return std::make_unique<LocalOffscreenGl>();
}
} // namespace coilrun::hudtest
#endif
