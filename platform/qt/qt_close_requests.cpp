#include "platform/qt/qt_close_requests.h"

#include "platform/qt/close_message.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace coilrun::qt {
namespace {

class CloseRequestFilter : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        const WId target = closeMessageTarget(type, message);
        if (!target) return false;
        QPointer<QWidget> window = QWidget::find(target);
        if (!window || !window->isWindow()) return false;
        QTimer::singleShot(0, window, [window] {
            if (window) window->close();
        });
        return true; // closed here; Qt's own, later delivery would close it twice
    }
};

} // namespace

void preferQtEventDispatcher() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
}

void handleCloseRequestsFirst() {
    static bool installed = false;
    if (installed || !qGuiApp || !prepareCloseMessages()) return;
    static CloseRequestFilter filter;
    QCoreApplication::instance()->installNativeEventFilter(&filter);
    installed = true;
}

} // namespace coilrun::qt
