#pragma once
#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace coilrun::server {

// Where the store lives: a SQLite file, or a PostgreSQL database that several
// servers may share.
struct DatabaseConfig {
    enum class Kind { Sqlite, Postgres };
    Kind kind = Kind::Sqlite;
    QString sqlitePath;         // Sqlite: the database file
    bool sqliteFullSync = true; // Sqlite: synchronous=FULL (else NORMAL), see --sync
    QString host;               // Postgres: host name, or a socket directory (starts with "/")
    int port = -1;              // Postgres: -1 for the default
    QString user;               // Postgres: empty for the default (libpq's rules)
    QString password;           // Postgres: empty for none, PGPASSWORD or ~/.pgpass
    QString databaseName;       // Postgres
    QString connectOptions;     // Postgres: "key=value;key=value" for the QPSQL driver
};

// Reads "postgresql://[user[:password]@][host][:port]/dbname[?key=value&...]"
// (the scheme "postgres" too). A "host" key in the query overrides the host, so
// "postgresql:///scores?host=/run/postgresql" reaches a local socket; the keys
// sslmode, sslrootcert, sslcert, sslkey, connect_timeout, application_name and
// options are passed to libpq. Gives nothing and an error text for anything else.
std::optional<DatabaseConfig> parsePostgresUrl(const QString& url, QString* error);

// The URL again, with the password left out: for logs and messages.
QString describe(const DatabaseConfig& config);

// Adds a connection under `connectionName` and opens it. On failure the returned
// database is not open and `error` says why.
QSqlDatabase openDatabase(const DatabaseConfig& config, const QString& connectionName,
                          QString* error);

} // namespace coilrun::server
