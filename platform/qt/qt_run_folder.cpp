#include "platform/qt/qt_run_folder.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

namespace coilrun::qt {

QString QtRunFolder::folder() const {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/replays";
}

std::vector<std::string> QtRunFolder::fileNames() const {
    std::vector<std::string> names;
    for (const QString& n : QDir(folder()).entryList(QDir::Files, QDir::Name))
        names.push_back(n.toStdString());
    return names;
}

bool QtRunFolder::write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    if (!QDir().mkpath(folder())) return false;
    QSaveFile file(folder() + "/" + QString::fromStdString(name));
    if (!file.open(QIODevice::WriteOnly)) return false;
    const auto size = qint64(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool QtRunFolder::remove(const std::string& name) {
    return QFile::remove(folder() + "/" + QString::fromStdString(name));
}

std::string QtRunFolder::pathOf(const std::string& name) const {
    return (folder() + "/" + QString::fromStdString(name)).toStdString();
}

} // namespace coilrun::qt
