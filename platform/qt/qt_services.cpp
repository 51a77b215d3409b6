#include "platform/qt/qt_services.h"

#include "platform/qt/system_account.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStringList>

namespace coilrun::qt {
namespace {

class QtSettingsKey : public platform::SettingsKey {
public:
    QtSettingsKey(const QString& organisation, const QString& application, const QString& group)
        : settings_(organisation, application) {
        if (!group.isEmpty()) settings_.beginGroup(group);
    }
    ~QtSettingsKey() override { settings_.sync(); }

    bool unreadable() const { return settings_.status() == QSettings::AccessError; }

    bool valueExists(const std::string& name) const override {
        return settings_.contains(QString::fromStdString(name));
    }
    std::optional<int> readInteger(const std::string& name) const override {
        const QVariant v = settings_.value(QString::fromStdString(name));
        if (!v.isValid()) return std::nullopt;
        bool ok = false;
        const int i = v.toString().trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
        return i;
    }
    std::optional<std::string> readString(const std::string& name) const override {
        const QVariant v = settings_.value(QString::fromStdString(name));
        if (!v.isValid()) return std::nullopt;
        return v.toString().toLatin1().toStdString();
    }
    void writeInteger(const std::string& name, int value) override {
        settings_.setValue(QString::fromStdString(name), value);
    }
    void writeString(const std::string& name, const std::string& value) override {
        settings_.setValue(QString::fromStdString(name), QString::fromLatin1(value.c_str()));
    }

private:
    mutable QSettings settings_;
};

} // namespace

std::unique_ptr<platform::SettingsKey> QtSettingsStore::openKey(const std::string& path,
                                                                bool canCreate) {
    QStringList parts = QString::fromStdString(path).split('\\', Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.front().compare("Software", Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.size() < 2) return nullptr;
    const QString organisation = parts.takeFirst();
    const QString application = parts.takeFirst();
    const QString group = parts.join('/');
    if (!canCreate && !settingsExist(organisation, application)) return nullptr;
    auto key = std::make_unique<QtSettingsKey>(organisation, application, group);
    // A store that cannot be read (a folder in the file's place, a file without read
    // access) is a key that cannot be opened, as the registry reports it; a damaged one
    // still gives what can be read from it.
    if (key->unreadable()) return nullptr;
    return key;
}

std::string QtUserIdentity::userName() const {
    return systemUserName();
}

void QtMessageBoxes::show(const std::string& text, platform::MessageKind kind) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
    case platform::MessageKind::Plain:
        break;
    case platform::MessageKind::Information:
        icon = QMessageBox::Information;
        break;
    case platform::MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case platform::MessageKind::Error:
        icon = QMessageBox::Critical;
        break;
    }
    QMessageBox box(icon, QStringLiteral("Coilrun"),
                    QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::Ok);
    // Score pages write these texts: a box reads them, tags and all, and opens no link.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

int QtScreen::width() const {
    return QGuiApplication::primaryScreen()->geometry().width();
}
int QtScreen::height() const {
    return QGuiApplication::primaryScreen()->geometry().height();
}
int QtScreen::dpi() const {
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch());
}

} // namespace coilrun::qt
