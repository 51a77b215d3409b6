#include "platform/qt/gl_loss_signal.h"

namespace coilrun::qt {

// Windows has no SIGUSR1 or SIGSTOP for a test to stop the program between frames by.
void installGlLossSignal() {}

} // namespace coilrun::qt
