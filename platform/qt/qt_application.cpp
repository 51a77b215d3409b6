#include "platform/qt/qt_application.h"

#include "platform/qt/qt_services.h"

#include <cstdio>
#include <exception>

namespace coilrun::qt {

int reportFatalError(const std::string& headline, const std::string& reason) {
    // Also on the terminal, for a player who started the game from one, and for logs.
    std::fprintf(stderr, "Coilrun: %s: %s\n", headline.c_str(), reason.c_str());
    QtMessageBoxes().show(headline + ":\n\n" + reason, platform::MessageKind::Error);
    return 1;
}

bool QtApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        // The box runs a loop of its own; a second failure in it only ends the program.
        static bool stopping = false;
        if (!stopping) {
            stopping = true;
            std::string reason = "an unknown error";
            try {
                throw;
            } catch (const std::exception& e) {
                reason = e.what();
            } catch (...) {
            }
            reportFatalError("Coilrun has to stop", reason);
        }
        QCoreApplication::exit(1);
        return true;
    }
}

} // namespace coilrun::qt
