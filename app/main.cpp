#include "app/coilrun_app.h"
#include "platform/qt/qt_close_requests.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>

int main(int argc, char** argv) {
    coilrun::qt::preferX11OnWayland();
    coilrun::qt::preferQtEventDispatcher();
    coilrun::qt::allowWebEngineAsRoot();
    coilrun::qt::setDefaultGlFormat();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Coilrun");
    QApplication::setOrganizationName("Quorvex");
    QApplication::setQuitOnLastWindowClosed(false);

    coilrun::qt::QtPlatform platform;
    coilrun::CoilrunApp app(platform);
    return QApplication::exec();
}
