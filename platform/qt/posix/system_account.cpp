#include "platform/qt/system_account.h"

#include <QFileInfo>
#include <QSettings>
#include <pwd.h>
#include <unistd.h>

namespace coilrun::qt {

std::string systemUserName() {
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return pw->pw_name;
    return qEnvironmentVariable("USER").toStdString();
}

bool runsWithAllRights() {
    return ::geteuid() == 0;
}

bool settingsExist(const QString& organisation, const QString& application) {
    const QSettings probe(organisation, application);
    return QFileInfo::exists(probe.fileName());
}

} // namespace coilrun::qt
