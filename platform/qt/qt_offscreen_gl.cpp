#include "platform/qt/qt_offscreen_gl.h"

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>

namespace coilrun::qt {

QtOffscreenGl::QtOffscreenGl() {
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(format);
    if (!context_->create()) {
        context_.reset();
        return;
    }
    surface_ = std::make_unique<QOffscreenSurface>();
    surface_->setFormat(context_->format());
    surface_->create();
}

QtOffscreenGl::~QtOffscreenGl() {
    if (context_ && surface_ && context_->makeCurrent(surface_.get())) {
        fbo_.reset();
        context_->doneCurrent();
    }
}

bool QtOffscreenGl::makeCurrent() {
    return context_ && surface_ && context_->makeCurrent(surface_.get());
}

platform::Image QtOffscreenGl::render(int width, int height,
                                      const std::function<void(int, int)>& paint) {
    if (width <= 0 || height <= 0 || !makeCurrent()) return {};
    if (!fbo_ || fbo_->size() != QSize(width, height)) {
        fbo_.reset();
        QOpenGLFramebufferObjectFormat f;
        f.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        fbo_ = std::make_unique<QOpenGLFramebufferObject>(width, height, f);
        if (!fbo_->isValid()) {
            // Some drivers have no packed depth-stencil: depth alone is all we need.
            f.setAttachment(QOpenGLFramebufferObject::Depth);
            fbo_ = std::make_unique<QOpenGLFramebufferObject>(width, height, f);
        }
    }
    if (!fbo_->isValid()) return {};
    fbo_->bind();
    paint(width, height);
    context_->functions()->glFinish();
    // GL's colours are not premultiplied whatever Qt labels them: take them as they are.
    QImage shot = fbo_->toImage();
    if (shot.format() == QImage::Format_ARGB32_Premultiplied)
        shot.reinterpretAsFormat(QImage::Format_ARGB32);
    else if (shot.format() == QImage::Format_RGBA8888_Premultiplied)
        shot.reinterpretAsFormat(QImage::Format_RGBA8888);
    else if (shot.format() == QImage::Format_RGBA64_Premultiplied)
        shot.reinterpretAsFormat(QImage::Format_RGBA64);
    shot = shot.convertToFormat(QImage::Format_ARGB32);
    fbo_->release();
    platform::Image out{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(shot.constScanLine(y));
        std::copy(row, row + width, out.pixels.begin() + std::ptrdiff_t(y) * width);
    }
    return out;
}

} // namespace coilrun::qt
