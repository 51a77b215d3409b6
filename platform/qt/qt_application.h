#pragma once
#include <QApplication>
#include <string>

namespace coilrun::qt {

// The real program's application object. An exception that escapes an event handler
// ends the program as one at start-up does, with its text in a box and exit status
// 1, instead of unwinding through the toolkit's frames to std::terminate.
class QtApplication : public QApplication {
public:
    QtApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

// Tells the player why the program stops: a modal error box with the reason under
// the headline. Returns the exit status to end with (1).
int reportFatalError(const std::string& headline, const std::string& reason);

} // namespace coilrun::qt
