#include "platform/qt/qt_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

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
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    owner_.notifyClosed();
    event->accept();
}

QtWindow::QtWindow() : widget_(new WindowWidget(*this)) {
    widget_->setAttribute(Qt::WA_QuitOnClose, false); // the app decides when the program ends
}

QtWindow::~QtWindow() {
    onClose = nullptr;
    delete widget_;
}

void QtWindow::notifyClosed() {
    if (onClose) onClose();
}

void QtWindow::show() { widget_->show(); }
void QtWindow::hide() { widget_->hide(); }
bool QtWindow::isVisible() const { return widget_->isVisible(); }
void QtWindow::close() { widget_->close(); }

void QtWindow::setCaption(const std::string& caption) {
    widget_->setWindowTitle(QString::fromLatin1(caption.c_str()));
}
std::string QtWindow::caption() const { return widget_->windowTitle().toLatin1().toStdString(); }

void QtWindow::setGeometry(const platform::Rect& r) {
    widget_->setGeometry(r.left, r.top, r.width, r.height);
}

platform::Rect QtWindow::geometry() const {
    const QRect g = widget_->geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void QtWindow::setMinimumSize(int width, int height) { widget_->setMinimumSize(width, height); }

void QtWindow::setMaximized(bool maximized) {
    widget_->setWindowState(maximized ? (widget_->windowState() | Qt::WindowMaximized)
                                      : (widget_->windowState() & ~Qt::WindowMaximized));
}

void QtWindow::setFlag(Qt::WindowType flag, bool on) {
    if (widget_->windowFlags().testFlag(flag) == on) return;
    const bool wasVisible = widget_->isVisible();
    widget_->setWindowFlag(flag, on); // re-creates the native window and hides it
    if (wasVisible) widget_->show();
}

void QtWindow::setStayOnTop(bool onTop) { setFlag(Qt::WindowStaysOnTopHint, onTop); }
bool QtWindow::stayOnTop() const {
    return widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
void QtWindow::setBorderless(bool borderless) { setFlag(Qt::FramelessWindowHint, borderless); }
bool QtWindow::borderless() const {
    return widget_->windowFlags().testFlag(Qt::FramelessWindowHint);
}
bool QtWindow::isActive() const { return widget_->isActiveWindow(); }

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
    for (const auto& image : sizes) icon.addPixmap(QPixmap::fromImage(toQImage(image)));
    widget_->setWindowIcon(icon);
}

std::unique_ptr<platform::Widget> QtWindow::createPanel(std::uint32_t argb) {
    auto* panel = new QWidget(widget_);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor::fromRgba(argb));
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);
    panel->show();
    return std::make_unique<QtChildWidget>(panel);
}

std::unique_ptr<platform::Widget> QtWindow::createLabel(const std::string& text,
                                                        const platform::FontSpec& font, int x,
                                                        int y) {
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

QtChildWidget::~QtChildWidget() { delete w_.data(); }

void QtChildWidget::setGeometry(const platform::Rect& r) {
    w_->setGeometry(r.left, r.top, r.width, r.height);
}

platform::Rect QtChildWidget::geometry() const {
    const QRect g = w_->geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

} // namespace coilrun::qt
