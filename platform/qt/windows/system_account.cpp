#include "platform/qt/system_account.h"

#include <windows.h>

namespace coilrun::qt {

// The buffer of 254 characters with 253 passed as its size is the game's own.
std::string systemUserName() {
    char buffer[254] = {};
    DWORD size = 253;
    if (!GetUserNameA(buffer, &size)) return {};
    return buffer;
}

// An administrator's programs keep the web engine's sandbox.
bool runsWithAllRights() {
    return false;
}

// QSettings keeps them under HKEY_CURRENT_USER\Software\<organisation>\<application>.
bool settingsExist(const QString& organisation, const QString& application) {
    const std::wstring path =
        (QStringLiteral("Software\\") + organisation + QLatin1Char('\\') + application)
            .toStdWString();
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace coilrun::qt
