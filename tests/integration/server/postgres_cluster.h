#pragma once
// A private PostgreSQL cluster for the tests: initdb into a temporary folder,
// started with pg_ctl on a unix socket in that folder only (no TCP), stopped
// and removed at the end. PostgreSQL refuses to run as root, so under root the
// cluster belongs to the "postgres" user and its tools run through runuser.
#include "server/database_config.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace coilrun::server::testing {

class PostgresCluster {
public:
    ~PostgresCluster();

    // Why this machine cannot run the PostgreSQL tests at all (no QPSQL driver,
    // no server binaries, root without a postgres user), or empty.
    static QString unavailableReason();

    // initdb and start; false with a reason when that fails.
    bool start(QString* error);
    void stop();

    // Creates an empty database; false with a reason when that fails.
    bool createDatabase(const QString& name, QString* error);
    DatabaseConfig config(const QString& databaseName) const;
    // The --db-url of that database.
    QString url(const QString& databaseName) const;

private:
    bool run(const QString& tool, const QStringList& arguments, QString* error);

    std::unique_ptr<QTemporaryDir> dir_;
    QString binDir_;
    bool started_ = false;
    static constexpr int kPort = 5432; // only names the socket file in our own folder
};

} // namespace coilrun::server::testing
