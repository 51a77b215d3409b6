#include "app/coilrun_app.h"
#include "app/command_line.h"
#include "app/run_file_access.h"
#include "app/screen_replay.h"
#include "game/replay/byte_stream.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_close_requests.h"
#include "platform/qt/qt_platform.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    const coilrun::CommandLine command = coilrun::parseCommandLine({argv, argv + argc});
    if (!command.error.empty()) {
        std::cerr << "coilrun: " << command.error << "\n";
        return 2;
    }
    // Checking a run needs neither a display nor a sound device.
    if (command.mode == coilrun::CommandLine::Mode::verify)
        return coilrun::verifyRunFile(command.file, std::cout, std::cerr);

    coilrun::qt::preferX11OnWayland();
    coilrun::qt::preferQtEventDispatcher();
    coilrun::qt::allowWebEngineAsRoot();
    coilrun::qt::setDefaultGlFormat();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    coilrun::qt::QtApplication application(argc, argv);
    QApplication::setApplicationName("Coilrun");
    QApplication::setOrganizationName("Quorvex");
    // Ties the windows to the installed desktop entry (and so to its icon and name).
    QGuiApplication::setDesktopFileName("example.quorvex.Coilrun");
    QApplication::setQuitOnLastWindowClosed(false);

    // A scene that does not load, a handler left unbound, settings that cannot be
    // read: the windows made so far go, and the player learns why.
    if (command.mode == coilrun::CommandLine::Mode::replay) {
        try {
            coilrun::replay::RunRecord run = coilrun::loadRunFile(command.file);
            coilrun::qt::QtPlatform platform;
            coilrun::ScreenReplay replay(platform, std::move(run));
            QApplication::exec();
            return 0;
        } catch (const std::exception& e) {
            std::cerr << "coilrun: " << command.file << ": " << e.what() << "\n";
            return coilrun::qt::reportFatalError("Coilrun cannot show " + command.file, e.what());
        }
    }
    try {
        coilrun::qt::QtPlatform platform;
        coilrun::CoilrunApp app(platform);
        return QApplication::exec();
    } catch (const std::exception& e) {
        return coilrun::qt::reportFatalError("Coilrun could not start", e.what());
    } catch (...) {
        return coilrun::qt::reportFatalError("Coilrun could not start", "an unknown error");
    }
}
