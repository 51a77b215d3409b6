#include "platform/qt/qt_platform.h"

#include "platform/qt/gl_loss_signal.h"
#include "platform/qt/qt_close_requests.h"
#include "platform/qt/qt_gl_surface.h"
#include "platform/qt/qt_offscreen_gl.h"
#include "platform/qt/qt_web_view.h"
#include "platform/qt/qt_window.h"
#include "platform/qt/system_account.h"

#include <QSurfaceFormat>

namespace coilrun::qt {

QtPlatform::QtPlatform() : loop_(clock_) {
    handleCloseRequestsFirst();
    installGlLossSignal();
}
QtPlatform::~QtPlatform() = default;

std::unique_ptr<platform::Window> QtPlatform::createWindow() {
    return std::make_unique<QtWindow>();
}

std::unique_ptr<platform::GlSurface> QtPlatform::createGlSurface(platform::Window& parent) {
    return std::make_unique<QtGlSurface>(static_cast<QtWindow&>(parent).widget());
}

std::unique_ptr<platform::WebView> QtPlatform::createWebView(platform::Window& parent) {
    return std::make_unique<QtWebView>(static_cast<QtWindow&>(parent).widget());
}

std::unique_ptr<platform::OffscreenGl> QtPlatform::createOffscreenGl() {
    return std::make_unique<QtOffscreenGl>();
}

void preferX11OnWayland() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariable("XDG_SESSION_TYPE") != "wayland")
        return;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return; // no XWayland to go to
    qputenv("QT_QPA_PLATFORM", "xcb");
}

void allowWebEngineAsRoot() {
    if (!runsWithAllRights() || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) return;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

void setDefaultGlFormat() {
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapInterval(0); // frames as fast as the cadencers ask
    QSurfaceFormat::setDefaultFormat(format);
}

} // namespace coilrun::qt
