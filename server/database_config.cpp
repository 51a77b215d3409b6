#include "server/database_config.h"

#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server {
namespace {

bool isPassedOption(const QString& key) {
    static const QStringList keys = {u"sslmode"_s, u"sslrootcert"_s,     u"sslcert"_s,
                                     u"sslkey"_s,  u"connect_timeout"_s, u"application_name"_s,
                                     u"options"_s};
    return keys.contains(key);
}

} // namespace

std::optional<DatabaseConfig> parsePostgresUrl(const QString& text, QString* error) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != u"postgresql" && url.scheme() != u"postgres")) {
        *error = u"expected postgresql://[user[:password]@][host][:port]/dbname"_s;
        return std::nullopt;
    }
    DatabaseConfig config;
    config.kind = DatabaseConfig::Kind::Postgres;
    config.host = url.host();
    config.port = url.port(-1);
    config.user = url.userName(QUrl::FullyDecoded);
    config.password = url.password(QUrl::FullyDecoded);
    config.databaseName = url.path(QUrl::FullyDecoded).mid(1);
    if (config.databaseName.isEmpty() || config.databaseName.contains(u'/')) {
        *error = u"the URL must name one database: postgresql://host/dbname"_s;
        return std::nullopt;
    }
    QStringList options;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == u"host") {
            config.host = value;
        } else if (key == u"port") {
            bool ok = false;
            config.port = value.toInt(&ok);
            if (!ok) {
                *error = u"the port is not a number"_s;
                return std::nullopt;
            }
        } else if (isPassedOption(key)) {
            // The driver splits its options at ";" and libpq at blanks and quotes.
            if (value.contains(u';') || value.contains(u'\'') || value.contains(u'\\')) {
                *error = u"the value of "_s + key + u" may not hold ; ' or \\"_s;
                return std::nullopt;
            }
            options << key + u'=' + value;
        } else {
            *error = u"unknown key in the database URL: "_s + key;
            return std::nullopt;
        }
    }
    config.connectOptions = options.join(u';');
    return config;
}

QString describe(const DatabaseConfig& config) {
    if (config.kind == DatabaseConfig::Kind::Sqlite) return u"sqlite:"_s + config.sqlitePath;
    QString text = u"postgresql://"_s;
    if (!config.user.isEmpty()) text += config.user + u'@';
    if (!config.host.startsWith(u'/')) text += config.host;
    if (config.port >= 0) text += u':' + QString::number(config.port);
    text += u'/' + config.databaseName;
    if (config.host.startsWith(u'/')) text += u"?host="_s + config.host;
    return text;
}

QSqlDatabase openDatabase(const DatabaseConfig& config, const QString& connectionName,
                          QString* error) {
    const bool sqlite = config.kind == DatabaseConfig::Kind::Sqlite;
    const QString driver = sqlite ? u"QSQLITE"_s : u"QPSQL"_s;
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        *error = u"the Qt SQL driver "_s + driver + u" is not installed"_s;
        return {};
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, connectionName);
    if (sqlite) {
        db.setDatabaseName(config.sqlitePath);
        // Several servers (or a backup tool) may open the same file: wait for
        // their locks instead of failing at once.
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=10000"_s);
    } else {
        db.setHostName(config.host);
        if (config.port >= 0) db.setPort(config.port);
        db.setUserName(config.user);
        db.setPassword(config.password);
        db.setDatabaseName(config.databaseName);
        db.setConnectOptions(config.connectOptions);
    }
    if (!db.open()) *error = db.lastError().text();
    return db;
}

} // namespace coilrun::server
