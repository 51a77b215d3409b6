#include "platform/qt/close_message.h"

#include <windows.h>

namespace coilrun::qt {

bool prepareCloseMessages() {
    return true;
}

WId closeMessageTarget(const QByteArray& eventType, const void* message) {
    if (eventType != "windows_generic_MSG") return 0;
    const auto* m = static_cast<const MSG*>(message);
    return m->message == WM_CLOSE ? WId(m->hwnd) : 0;
}

} // namespace coilrun::qt
