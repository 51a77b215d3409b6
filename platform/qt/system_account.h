#pragma once
#include <QString>
#include <string>

// What the platform needs of the system's accounts, settings store and window
// system that Qt does not give. Each system has its own files: posix/ and x11/
// on Linux, windows/ on Windows, chosen when the build is configured.
namespace coilrun::qt {

// The name of the signed-in user, as the system gives it; empty if it gives none.
std::string systemUserName();

// Whether the program runs with every right on the machine (root), where the web
// engine's sandbox refuses to start.
bool runsWithAllRights();

// Whether the settings of QSettings(organisation, application) already exist in
// the system's store for them: an ini file on Linux, a registry key on Windows.
bool settingsExist(const QString& organisation, const QString& application);

} // namespace coilrun::qt
