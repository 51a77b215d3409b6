#include "platform/qt/qt_gl_surface.h"

#include "platform/qt/qt_startup_trace.h"

#include <QCoreApplication>
#include <QExposeEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QResizeEvent>
#include <QSurfaceFormat>
#include <QWindow>

namespace coilrun::qt {
namespace {

// Asks the GL window for a frame through the event queue, without the platform's
// update timer (see QtGlSurface::requestFrame).
const QEvent::Type frameRequestType = QEvent::Type(QEvent::registerEventType());

} // namespace

class GlWindow : public QWindow {
public:
    explicit GlWindow(QtGlSurface& owner) : owner_(&owner) {
        setSurfaceType(QSurface::OpenGLSurface);
        // The engine draws fixed-function GL: ask for a compatibility profile.
        QSurfaceFormat f = QSurfaceFormat::defaultFormat();
        f.setVersion(2, 1);
        f.setProfile(QSurfaceFormat::CompatibilityProfile);
        f.setDepthBufferSize(24);
        setFormat(f);
    }
    ~GlWindow() override { dropContext(); }

    QtGlSurface* owner() const { return owner_; }

    // Draws a frame now if the window can show one; false when it cannot.
    bool paintNow() {
        if (!isExposed()) return false;
        return render();
    }
    // The context goes, as when the window is made again elsewhere; the next frame makes
    // a new one, where everything is built again.
    void loseContext() {
        dropContext();
        if (owner_) owner_->requestFrame();
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() == frameRequestType) {
            if (owner_) owner_->framePosted_ = false;
            if (isExposed()) render();
            return true;
        }
        if (e->type() == QEvent::UpdateRequest) {
            if (isExposed()) render();
            return true;
        }
        return QWindow::event(e);
    }
    void exposeEvent(QExposeEvent*) override {
        if (isExposed()) render();
    }
    void resizeEvent(QResizeEvent*) override {
        if (owner_) owner_->requestFrame();
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
    bool render() {
        if (!owner_) return false;
        const bool kept = context_ != nullptr;
        if (!kept && !makeContext()) return false;
        if (!context_->makeCurrent(this)) {
            // Lost by the driver, or made for another screen than the window went to: of
            // no more use. The frame is drawn again at once in a new one, whether or not
            // anything else asks for one; a context just made and refused already is not
            // tried again before something does.
            dropContext();
            if (kept) owner_->requestFrame();
            return false;
        }
        ++owner_->frames_;
        // QSize * qreal rounds as the window system's scaling of the window does.
        const QSize device = size() * devicePixelRatio();
        if (owner_->onPaint) owner_->onPaint({width(), height(), device.width(), device.height()});
        context_->swapBuffers(this);
        traceStartup("first GL view frame");
        return true;
    }
    bool makeContext() {
        context_ = std::make_unique<QOpenGLContext>();
        context_->setFormat(requestedFormat());
        context_->setScreen(screen());
        // Shared with no other context: what the view makes lives and dies with its own.
        context_->setShareContext(nullptr);
        if (!context_->create() || !context_->makeCurrent(this)) {
            context_.reset();
            return false;
        }
        if (owner_->onInitialize) owner_->onInitialize();
        return true;
    }
    // Lets the context go, its GL objects released while it can still be made current.
    void dropContext() {
        if (!context_) return;
        if (owner_ && context_->isValid() && handle() && context_->makeCurrent(this)) {
            if (owner_->onRelease) owner_->onRelease();
            context_->doneCurrent();
        } else if (owner_ && owner_->onLost) {
            owner_->onLost();
        }
        context_.reset();
    }

    QtGlSurface* owner_;
    std::unique_ptr<QOpenGLContext> context_;
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
    onLost = nullptr;
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
    // Nothing can be drawn now; the window paints when it is exposed again.
    if (!window_->isExposed()) return;
    // QWindow::update() goes through the platform's update request, which waits
    // QT_QPA_UPDATE_IDLE_TIME (5 ms) before painting while the cadencer pump spins:
    // about half the frame rate and a core burnt on waiting. A posted request paints
    // as soon as the loop reaches it; a swap interval still paces frames, by blocking
    // the swap. Requests before the frame is painted give one frame.
    framePosted_ = true;
    QCoreApplication::postEvent(window_, new QEvent(frameRequestType));
}

bool QtGlSurface::paintNow() {
    return container_ && window_->paintNow();
}

void QtGlSurface::loseContext() {
    if (container_) window_->loseContext();
}

std::vector<QtGlSurface*> QtGlSurface::all() {
    std::vector<QtGlSurface*> found;
    for (QWindow* w : QGuiApplication::allWindows())
        if (auto* gl = dynamic_cast<GlWindow*>(w); gl && gl->owner()) found.push_back(gl->owner());
    return found;
}

QWidget* QtGlSurface::widget() const {
    return container_.data();
}

} // namespace coilrun::qt
