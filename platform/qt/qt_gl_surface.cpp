#include "platform/qt/qt_gl_surface.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLWindow>
#include <QPaintEvent>
#include <QSurfaceFormat>

namespace coilrun::qt {
namespace {

// Asks the GL window for a frame through the event queue, without the platform's
// update timer (see QtGlSurface::requestFrame).
const QEvent::Type frameRequestType = QEvent::Type(QEvent::registerEventType());

} // namespace

class GlWindow : public QOpenGLWindow {
public:
    explicit GlWindow(QtGlSurface& owner) : owner_(&owner) {
        // The engine draws fixed-function GL: ask for a compatibility profile.
        QSurfaceFormat f = QSurfaceFormat::defaultFormat();
        f.setVersion(2, 1);
        f.setProfile(QSurfaceFormat::CompatibilityProfile);
        f.setDepthBufferSize(24);
        setFormat(f);
    }
    ~GlWindow() override { release(); }

protected:
    void initializeGL() override {
        // The context can be recreated (the window moved to another screen): release
        // what belonged to the old one first.
        connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { release(); });
        if (owner_ && owner_->onInitialize) owner_->onInitialize();
    }
    bool event(QEvent* e) override {
        if (e->type() != frameRequestType) return QOpenGLWindow::event(e);
        if (owner_) owner_->framePosted_ = false;
        if (isExposed()) {
            // What the platform's update request would have done, without its wait.
            QPaintEvent paint(QRect(QPoint(), size()));
            QCoreApplication::sendEvent(this, &paint);
        }
        return true;
    }
    void paintGL() override {
        if (!owner_) return;
        ++owner_->frames_;
        // QSize * qreal rounds as the window system's scaling of the window does.
        const QSize device = size() * devicePixelRatio();
        if (owner_->onPaint) owner_->onPaint({width(), height(), device.width(), device.height()});
    }
    // Pointer positions in surface pixels, the unit of the frame's layout: a pixel
    // ratio of 2 gives half-pixel positions here, rounded to the nearest.
    static QPoint toPixels(const QPointF& p) { return p.toPoint(); }
    void mousePressEvent(QMouseEvent* e) override {
        int button = 0;
        if (e->button() == Qt::RightButton) button = 1;
        if (e->button() == Qt::MiddleButton) button = 2;
        const QPoint p = toPixels(e->position());
        if (owner_ && owner_->onMouseDown) owner_->onMouseDown(button, p.x(), p.y());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const QPoint p = toPixels(e->position());
        if (owner_ && owner_->onMouseMove) owner_->onMouseMove(p.x(), p.y());
    }

private:
    void release() {
        if (!owner_ || !owner_->onRelease || !context()) return;
        makeCurrent();
        owner_->onRelease();
        doneCurrent();
    }

    QtGlSurface* owner_;
};

QtGlSurface::QtGlSurface(QWidget* parent) : window_(new GlWindow(*this)) {
    container_ = QWidget::createWindowContainer(window_, parent);
    container_->setFocusPolicy(Qt::StrongFocus);
    container_->setMouseTracking(true);
}

QtGlSurface::~QtGlSurface() {
    onPaint = nullptr;
    onMouseDown = nullptr;
    onMouseMove = nullptr;
    if (container_) {
        delete container_.data(); // deletes the window, which runs onRelease with its context
    }
    onRelease = nullptr;
}

void QtGlSurface::show() {
    if (!container_) return;
    container_->show();
    // The view lies under the window's other native children (a panel shown over it),
    // also when it is shown after them.
    window_->lower();
}
void QtGlSurface::hide() {
    if (container_) container_->hide();
}
bool QtGlSurface::isVisible() const {
    return container_ && container_->isVisible();
}

void QtGlSurface::setGeometry(const platform::Rect& r) {
    if (container_) container_->setGeometry(r.left, r.top, r.width, r.height);
}

platform::Rect QtGlSurface::geometry() const {
    if (!container_) return {};
    const QRect g = container_->geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void QtGlSurface::requestFrame() {
    if (!container_ || framePosted_) return;
    if (!window_->isExposed()) {
        // Nothing can be drawn now; the window paints when it is exposed again.
        window_->update();
        return;
    }
    // QWindow::update() goes through the platform's update request, which waits
    // QT_QPA_UPDATE_IDLE_TIME (5 ms) before painting while the cadencer pump spins:
    // about half the frame rate and a core burnt on waiting. A posted request paints
    // as soon as the loop reaches it; a swap interval still paces frames, by blocking
    // the swap. Requests before the frame is painted give one frame.
    framePosted_ = true;
    QCoreApplication::postEvent(window_, new QEvent(frameRequestType));
}

QWidget* QtGlSurface::widget() const {
    return container_.data();
}

} // namespace coilrun::qt
