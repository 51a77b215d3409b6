#pragma once
#include "engine/platform/window.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace coilrun::qt {

class QtWindow;

// The QWidget behind a QtWindow: paints the stretched picture and reports closing
// and new sizes.
class WindowWidget : public QWidget {
public:
    explicit WindowWidget(QtWindow& owner) : owner_(owner) {}
    QImage picture;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QtWindow& owner_;
};

class QtWindow : public platform::Window {
public:
    QtWindow();
    ~QtWindow() override;

    void show() override;
    void hide() override;
    bool isVisible() const override;
    void close() override;
    void setCaption(const std::string& caption) override;
    std::string caption() const override;
    void setGeometry(const platform::Rect& r) override;
    platform::Rect geometry() const override;
    void setMinimumSize(int width, int height) override;
    void setMaximized(bool maximized) override;
    platform::Rect frameGeometry() const override;
    void setFrameSize(int width, int height) override;
    void moveFrameTo(int left, int top) override;
    void setBorderStyle(platform::BorderStyle style) override;
    bool setTransparentColor(const std::string& colour) override;
    void setStayOnTop(bool onTop) override;
    bool stayOnTop() const override;
    void setBorderless(bool borderless) override;
    bool borderless() const override;
    bool isActive() const override;
    void activate() override;
    void paintNow() override;
    void prepareForWebView() override;
    void setBackgroundColor(std::uint32_t argb) override;
    void setPicture(const platform::Image& picture) override;
    void setIcon(const std::vector<platform::Image>& sizes) override;
    std::unique_ptr<platform::Widget> createPanel(std::uint32_t argb) override;
    std::unique_ptr<platform::Widget>
    createLabel(const std::string& text, const platform::FontSpec& font, int x, int y) override;

    QWidget* widget() const { return widget_; }
    void notifyClosed();
    // Runs onResize once for each size the client area takes.
    void notifyResized(QSize size);

private:
    void setFlag(Qt::WindowType flag, bool on);
    void applyFlags(Qt::WindowFlags flags);
    // The window's shape leaves out the pixels of the transparent colour.
    void shapeByColour();

    WindowWidget* widget_; // owned here; deleted in the destructor
    QSize reportedSize_;   // the last size onResize was given
    // The stay-on-top hint changed on the native window: make it anew before it is
    // shown again (see setFlag).
    bool recreateOnShow_ = false;
    // Styles with a fixed frame keep the size the window has or is given.
    bool fixedSize_ = false;
    QColor transparent_;
    QTimer* shapeTimer_ = nullptr; // owned by the widget
};

// Wraps any child QWidget as a platform widget (panels, labels, views).
class QtChildWidget : public platform::Widget {
public:
    explicit QtChildWidget(QWidget* w) : w_(w) {}
    ~QtChildWidget() override;
    void show() override { w_->show(); }
    void hide() override { w_->hide(); }
    bool isVisible() const override { return w_->isVisible(); }
    void setGeometry(const platform::Rect& r) override;
    platform::Rect geometry() const override;

private:
    QPointer<QWidget> w_;
};

QImage toQImage(const platform::Image& image);

} // namespace coilrun::qt
