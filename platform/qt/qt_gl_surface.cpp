#include "platform/qt/qt_gl_surface.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>

namespace coilrun::qt {

class GlWidget : public QOpenGLWidget {
public:
    GlWidget(QtGlSurface& owner, QWidget* parent) : QOpenGLWidget(parent), owner_(owner) {
        // The engine draws fixed-function GL: ask for a compatibility profile.
        QSurfaceFormat f = QSurfaceFormat::defaultFormat();
        f.setVersion(2, 1);
        f.setProfile(QSurfaceFormat::CompatibilityProfile);
        f.setDepthBufferSize(24);
        setFormat(f);
        // Moves without a button pressed are reported too (menus light up under the pointer).
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
    }
    ~GlWidget() override {
        makeCurrent();
        if (owner_.onRelease) owner_.onRelease();
        doneCurrent();
    }

protected:
    void initializeGL() override {
        // The context can be recreated (the widget moved to another window): release
        // what belonged to the old one first.
        connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
            makeCurrent();
            if (owner_.onRelease) owner_.onRelease();
            doneCurrent();
        });
        if (owner_.onInitialize) owner_.onInitialize();
    }
    void paintGL() override {
        ++owner_.frames_;
        const qreal ratio = devicePixelRatioF();
        if (owner_.onPaint) owner_.onPaint(int(width() * ratio), int(height() * ratio));
    }
    // Pointer positions in the same pixels as the frames painted.
    QPoint toPixels(const QPointF& p) const { return (p * devicePixelRatioF()).toPoint(); }
    void mousePressEvent(QMouseEvent* e) override {
        int button = 0;
        if (e->button() == Qt::RightButton) button = 1;
        if (e->button() == Qt::MiddleButton) button = 2;
        const QPoint p = toPixels(e->position());
        if (owner_.onMouseDown) owner_.onMouseDown(button, p.x(), p.y());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const QPoint p = toPixels(e->position());
        if (owner_.onMouseMove) owner_.onMouseMove(p.x(), p.y());
    }

private:
    QtGlSurface& owner_;
};

QtGlSurface::QtGlSurface(QWidget* parent) : widget_(new GlWidget(*this, parent)) {}

QtGlSurface::~QtGlSurface() {
    onPaint = nullptr;
    onMouseDown = nullptr;
    onMouseMove = nullptr;
    delete widget_.data(); // runs onRelease with the context current
    onRelease = nullptr;
}

void QtGlSurface::show() {
    widget_->show();
}
void QtGlSurface::hide() {
    widget_->hide();
}
bool QtGlSurface::isVisible() const {
    return widget_->isVisible();
}

void QtGlSurface::setGeometry(const platform::Rect& r) {
    widget_->setGeometry(r.left, r.top, r.width, r.height);
}

platform::Rect QtGlSurface::geometry() const {
    const QRect g = widget_->geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void QtGlSurface::requestFrame() {
    // update() coalesces: many requests before the next paint give one frame.
    if (widget_) widget_->update();
}

QWidget* QtGlSurface::widget() const {
    return widget_.data();
}

} // namespace coilrun::qt
