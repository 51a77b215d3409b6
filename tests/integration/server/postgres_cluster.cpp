#include "tests/integration/server/postgres_cluster.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <pwd.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server::testing {
namespace {

const QString kUser = u"coilrun"_s;

// Debian keeps the server binaries out of PATH, one folder per major version.
QString findBinDir() {
    QDir versions(u"/usr/lib/postgresql"_s);
    QStringList entries = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(entries.begin(), entries.end(),
              [&](const QString& a, const QString& b) { return numeric.compare(a, b) > 0; });
    for (const QString& v : entries) {
        const QString bin = versions.filePath(v + u"/bin"_s);
        if (QFileInfo(bin + u"/initdb"_s).isExecutable() &&
            QFileInfo(bin + u"/pg_ctl"_s).isExecutable())
            return bin;
    }
    const QString initdb = QStandardPaths::findExecutable(u"initdb"_s);
    return initdb.isEmpty() ? QString() : QFileInfo(initdb).absolutePath();
}

bool isRoot() {
    return ::geteuid() == 0;
}

} // namespace

PostgresCluster::~PostgresCluster() {
    stop();
}

QString PostgresCluster::unavailableReason() {
    if (!QSqlDatabase::isDriverAvailable(u"QPSQL"_s))
        return u"the Qt PostgreSQL driver (QPSQL, Debian package libqt6sql6-psql) is not installed"_s;
    if (findBinDir().isEmpty())
        return u"the PostgreSQL server binaries (initdb, pg_ctl) are not installed"_s;
    if (isRoot() && ::getpwnam("postgres") == nullptr)
        return u"running as root and there is no postgres user to run the cluster"_s;
    if (isRoot() && QStandardPaths::findExecutable(u"runuser"_s).isEmpty())
        return u"running as root and runuser is missing"_s;
    return {};
}

bool PostgresCluster::run(const QString& tool, const QStringList& arguments, QString* error) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(dir_->path());
    const QString program = binDir_ + u'/' + tool;
    if (isRoot())
        p.start(u"runuser"_s, QStringList{u"-u"_s, u"postgres"_s, u"--"_s, program} + arguments);
    else
        p.start(program, arguments);
    if (!p.waitForFinished(120'000) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0) {
        *error = tool + u" failed: "_s + QString::fromLocal8Bit(p.readAll()) + p.errorString();
        return false;
    }
    return true;
}

bool PostgresCluster::start(QString* error) {
    binDir_ = findBinDir();
    dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/coilrun-pg-XXXXXX"_s);
    if (!dir_->isValid()) {
        *error = u"no temporary folder"_s;
        return false;
    }
    if (isRoot()) {
        const passwd* pg = ::getpwnam("postgres");
        if (::chown(QFile::encodeName(dir_->path()).constData(), pg->pw_uid, pg->pw_gid) != 0) {
            *error = u"cannot give the temporary folder to postgres"_s;
            return false;
        }
    }
    const QString data = dir_->filePath(u"data"_s);
    if (!run(u"initdb"_s,
             {u"-D"_s, data, u"-U"_s, kUser, u"-A"_s, u"trust"_s, u"-E"_s, u"UTF8"_s,
              u"--locale=C"_s, u"--no-sync"_s},
             error))
        return false;
    const QString options = u"-c listen_addresses='' -k "_s + dir_->path() + u" -p "_s +
                            QString::number(kPort) +
                            u" -c max_connections=40 -c shared_buffers=32MB"_s;
    if (!run(u"pg_ctl"_s,
             {u"-D"_s, data, u"-l"_s, dir_->filePath(u"postgres.log"_s), u"-w"_s, u"-t"_s, u"120"_s,
              u"-o"_s, options, u"start"_s},
             error))
        return false;
    started_ = true;
    return true;
}

void PostgresCluster::stop() {
    if (!started_) return;
    started_ = false;
    QString ignored;
    run(u"pg_ctl"_s, {u"-D"_s, dir_->filePath(u"data"_s), u"-m"_s, u"fast"_s, u"-w"_s, u"stop"_s},
        &ignored);
}

DatabaseConfig PostgresCluster::config(const QString& databaseName) const {
    DatabaseConfig c;
    c.kind = DatabaseConfig::Kind::Postgres;
    c.host = dir_->path();
    c.port = kPort;
    c.user = kUser;
    c.databaseName = databaseName;
    return c;
}

QString PostgresCluster::url(const QString& databaseName) const {
    return u"postgresql://"_s + kUser + u"@/"_s + databaseName + u"?host="_s + dir_->path() +
           u"&port="_s + QString::number(kPort);
}

bool PostgresCluster::createDatabase(const QString& name, QString* error) {
    const QString connection = u"coilrun-test-admin"_s;
    bool ok = false;
    {
        QSqlDatabase db = openDatabase(config(u"postgres"_s), connection, error);
        if (db.isOpen()) {
            // The name is the test's own identifier, never outside input.
            QSqlQuery q(db);
            ok = q.exec(u"CREATE DATABASE "_s + name);
            if (!ok) *error = q.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

} // namespace coilrun::server::testing
