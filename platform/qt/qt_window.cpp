#include "platform/qt/qt_window.h"

#include "platform/qt/qt_startup_trace.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QOpenGLWidget>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QRasterWindow>
#include <QResizeEvent>
#include <QShowEvent>
#include <QWindow>
#include <algorithm>

namespace coilrun::qt {

QImage toQImage(const platform::Image& image) {
    if (image.empty()) return {};
    // 0xAARRGGBB words are exactly QImage's ARGB32 layout.
    QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                image.width * 4, QImage::Format_ARGB32);
    return view.copy();
}

void WindowWidget::paintEvent(QPaintEvent* event) {
    if (picture.isNull()) return QWidget::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), picture);
    traceStartup("picture window painted");
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    owner_.notifyClosed();
    event->accept();
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    owner_.notifyResized(event->size());
}

QtWindow::QtWindow() : widget_(new WindowWidget(*this)) {
    widget_->setAttribute(Qt::WA_QuitOnClose, false); // the app decides when the program ends
}

QtWindow::~QtWindow() {
    onClose = nullptr;
    onResize = nullptr;
    delete widget_;
}

void QtWindow::notifyClosed() {
    if (onClose) onClose();
}

void QtWindow::notifyResized(QSize size) {
    if (size == reportedSize_) return;
    reportedSize_ = size;
    if (onResize) onResize(size.width(), size.height());
}

void QtWindow::show() {
    if (recreateOnShow_ && !widget_->isVisible()) {
        recreateOnShow_ = false;
        // Destroying the QWindow (not the widget) keeps every child QWindow, the GL view
        // in its container included; showing makes all their native windows anew.
        if (QWindow* native = widget_->windowHandle()) native->destroy();
    }
    widget_->show();
}
void QtWindow::prepareForWebView() {
    // A web view draws into a texture that the window puts together with its other
    // children, which needs a GL surface for the window itself. A window made
    // without one is destroyed and made again when such a child arrives. A hidden
    // GL widget, there before the first showing, has it made with a GL surface.
    if (widget_->findChild<QOpenGLWidget*>(QString(), Qt::FindDirectChildrenOnly)) return;
    auto* probe = new QOpenGLWidget(widget_);
    probe->setGeometry(0, 0, 1, 1);
    probe->hide();
}
void QtWindow::activate() {
    widget_->raise();
    widget_->activateWindow();
}
void QtWindow::paintNow() {
    if (!widget_->isVisible()) return;
    // A window just shown can be drawn once the window system has mapped it; it does so
    // at once without a window manager and within a few frames with one.
    QElapsedTimer waited;
    waited.start();
    QWindow* native = widget_->windowHandle();
    while (native && !native->isExposed() && waited.elapsed() < 250)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
    widget_->repaint();
    // Hands the painted picture to the window system now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtWindow::hide() {
    widget_->hide();
}
bool QtWindow::isVisible() const {
    return widget_->isVisible();
}
void QtWindow::close() {
    widget_->close();
}

void QtWindow::setCaption(const std::string& caption) {
    widget_->setWindowTitle(QString::fromStdString(caption));
}
std::string QtWindow::caption() const {
    return widget_->windowTitle().toStdString();
}

void QtWindow::setGeometry(const platform::Rect& r) {
    // Compared with what the widget would become: Qt keeps the size within the minimum
    // and maximum, so a request below the minimum would otherwise never match and be
    // sent to the window system again on every layout.
    const QSize size = QSize(r.width, r.height)
                           .expandedTo(widget_->minimumSize())
                           .boundedTo(widget_->maximumSize());
    // A window never placed keeps Qt's default geometry, which a request may equal; it
    // must still be marked as placed, or showing it would size and place it anew.
    const bool placed =
        widget_->testAttribute(Qt::WA_Moved) && widget_->testAttribute(Qt::WA_Resized);
    if (placed && widget_->geometry() == QRect(QPoint(r.left, r.top), size)) return;
    widget_->setGeometry(r.left, r.top, r.width, r.height);
    // A hidden widget gets its resize event only when it is shown; the owner lays
    // out its children now.
    if (!widget_->isVisible()) notifyResized(widget_->size());
}

platform::Rect QtWindow::geometry() const {
    const QRect g = widget_->geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void QtWindow::setMinimumSize(int width, int height) {
    if (widget_->minimumSize() == QSize(width, height)) return;
    widget_->setMinimumSize(width, height);
}

void QtWindow::setMaximized(bool maximized) {
    if (widget_->windowState().testFlag(Qt::WindowMaximized) == maximized) return;
    widget_->setWindowState(maximized ? (widget_->windowState() | Qt::WindowMaximized)
                                      : (widget_->windowState() & ~Qt::WindowMaximized));
}

void QtWindow::setFlag(Qt::WindowType flag, bool on) {
    if (widget_->windowFlags().testFlag(flag) == on) return;
    Qt::WindowFlags flags = widget_->windowFlags();
    flags.setFlag(flag, on);
    applyFlags(flags);
    // The X11 platform still re-creates a window whose stay-on-top hint changed the
    // next time it is shown, with the same fault; show() does it first, properly.
    if (flag == Qt::WindowStaysOnTopHint && widget_->testAttribute(Qt::WA_WState_Created) &&
        QGuiApplication::platformName() == QLatin1String("xcb"))
        recreateOnShow_ = true;
}

void QtWindow::applyFlags(Qt::WindowFlags flags) {
    if (widget_->windowFlags() == flags) return;
    QWindow* native = widget_->windowHandle();
    if (!native || !widget_->testAttribute(Qt::WA_WState_Created)) {
        widget_->setWindowFlags(flags); // used when the native window is made
        return;
    }
    // QWidget::setWindowFlags would hide the window and make a new native one: a
    // flicker, a lost focus, and on X11 (Qt 6.4) a widget left with the old window's
    // id and native children (the GL view, the panel) dead with the old window. The
    // window system takes the new hints on the window it has instead (X11: the Motif
    // decoration hints, _NET_WM_STATE_ABOVE).
    widget_->overrideWindowFlags(flags);
    native->setFlags(flags);
}

platform::Rect QtWindow::frameGeometry() const {
    const QRect g = widget_->frameGeometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void QtWindow::setFrameSize(int width, int height) {
    // The frame's share is what the window manager draws around the client area.
    const QSize frame = widget_->frameGeometry().size() - widget_->geometry().size();
    // In 64 bits, so that no size a caller gives can overflow.
    const auto clientSide = [](int outer, int share) {
        return int(std::clamp<qint64>(qint64(outer) - share, 1, QWIDGETSIZE_MAX));
    };
    const QSize client(clientSide(width, frame.width()), clientSide(height, frame.height()));
    if (fixedSize_)
        widget_->setFixedSize(client);
    else
        widget_->resize(client);
}

void QtWindow::moveFrameTo(int left, int top) {
    widget_->move(left, top);
}

void QtWindow::setBorderStyle(platform::BorderStyle style) {
    using S = platform::BorderStyle;
    // Window types and hints a window manager reads: a dialog's frame has no
    // maximise button, a tool window a small title bar; the fixed styles keep their size.
    const Qt::WindowFlags keep = widget_->windowFlags() & Qt::WindowStaysOnTopHint;
    const Qt::WindowFlags titled = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    Qt::WindowFlags flags;
    switch (style) {
    case S::None:
        flags = Qt::Window | Qt::FramelessWindowHint;
        break;
    case S::Single:
        flags = Qt::Window | titled | Qt::WindowMinimizeButtonHint;
        break;
    case S::Sizeable:
        flags = Qt::Window;
        break;
    case S::Dialog:
        flags = Qt::Dialog | titled;
        break;
    case S::ToolWindow:
    case S::SizeToolWindow:
        flags = Qt::Tool | titled;
        break;
    }
    applyFlags(flags | keep);
    fixedSize_ = style == S::Single || style == S::Dialog || style == S::ToolWindow;
    if (fixedSize_) {
        widget_->setFixedSize(widget_->size());
    } else {
        widget_->setMinimumSize(0, 0);
        widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

bool QtWindow::setTransparentColor(const std::string& colour) {
    const QColor c = QColor::fromString(QString::fromStdString(colour));
    if (!c.isValid()) return false;
    transparent_ = c;
    // The page behind the colour changes as it draws, scrolls and resizes: the shape
    // follows it twice a second.
    if (!shapeTimer_) {
        shapeTimer_ = new QTimer(widget_);
        QObject::connect(shapeTimer_, &QTimer::timeout, widget_, [this] { shapeByColour(); });
        shapeTimer_->start(500);
    }
    shapeByColour();
    return true;
}

void QtWindow::shapeByColour() {
    if (!transparent_.isValid() || !widget_->isVisible()) return;
    const QImage picture = widget_->grab().toImage();
    if (picture.isNull()) return;
    // The grab is in device pixels; the shape in the widget's own.
    const QImage mask =
        picture.createMaskFromColor(transparent_.rgb(), Qt::MaskInColor).scaled(widget_->size());
    const QRegion shape(QBitmap::fromImage(mask));
    if (shape != widget_->mask()) widget_->setMask(shape);
}

void QtWindow::setStayOnTop(bool onTop) {
    setFlag(Qt::WindowStaysOnTopHint, onTop);
}
bool QtWindow::stayOnTop() const {
    return widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
void QtWindow::setBorderless(bool borderless) {
    setFlag(Qt::FramelessWindowHint, borderless);
}
bool QtWindow::borderless() const {
    return widget_->windowFlags().testFlag(Qt::FramelessWindowHint);
}
bool QtWindow::isActive() const {
    return widget_->isActiveWindow();
}

void QtWindow::setBackgroundColor(std::uint32_t argb) {
    QPalette pal = widget_->palette();
    pal.setColor(QPalette::Window, QColor::fromRgba(argb));
    widget_->setPalette(pal);
    widget_->setAutoFillBackground(true);
}

void QtWindow::setPicture(const platform::Image& picture) {
    widget_->picture = toQImage(picture);
    widget_->update();
}

void QtWindow::setIcon(const std::vector<platform::Image>& sizes) {
    QIcon icon;
    for (const auto& image : sizes)
        icon.addPixmap(QPixmap::fromImage(toQImage(image)));
    widget_->setWindowIcon(icon);
}

namespace {

// A panel that covers whatever lies under it when shown. The GL surface is a native
// child window (a QOpenGLWindow in a container), which stays above every widget that
// is only painted into the window, so the panel is a native child window as well, of
// one colour, raised above its siblings each time it is shown. It is a window in a
// container rather than a native QWidget: a native widget makes all its sibling
// widgets native too, and a native label can no longer show its parent through it.
class PanelWindow : public QRasterWindow {
public:
    explicit PanelWindow(QColor colour) : colour_(colour) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter(this).fillRect(event->rect(), colour_);
    }
    void showEvent(QShowEvent* event) override {
        QRasterWindow::showEvent(event);
        raise();
    }

private:
    QColor colour_;
};

} // namespace

std::unique_ptr<platform::Widget> QtWindow::createPanel(std::uint32_t argb) {
    auto* panel = QWidget::createWindowContainer(new PanelWindow(QColor::fromRgba(argb)), widget_);
    panel->show();
    return std::make_unique<QtChildWidget>(panel);
}

std::unique_ptr<platform::Widget>
QtWindow::createLabel(const std::string& text, const platform::FontSpec& font, int x, int y) {
    auto* label = new QLabel(QString::fromLatin1(text.c_str()), widget_);
    QFont f(QString::fromStdString(font.name));
    f.setPixelSize(font.pixelSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor::fromRgba(font.color));
    label->setPalette(pal);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->move(x, y);
    label->adjustSize();
    label->show();
    return std::make_unique<QtChildWidget>(label);
}

QtChildWidget::~QtChildWidget() {
    delete w_.data();
}

void QtChildWidget::setGeometry(const platform::Rect& r) {
    w_->setGeometry(r.left, r.top, r.width, r.height);
}

platform::Rect QtChildWidget::geometry() const {
    const QRect g = w_->geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

} // namespace coilrun::qt
