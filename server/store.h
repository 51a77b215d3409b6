#pragma once
#include "server/database_config.h"
#include "server/run_report.h"
#include "server/score_entry.h"

#include <QHash>
#include <QSqlQuery>
#include <optional>
#include <stdexcept>
#include <vector>

namespace coilrun::server {

// A failure of the database: the request that met it is answered with a page
// that says so, and the next request reconnects.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The run reports, in SQLite (WAL, synchronous=FULL) or PostgreSQL, through QtSql.
// Every statement is prepared once and run with bound parameters; nothing from a
// request is ever part of the SQL text. One Store is one connection, used from
// one thread.
class Store {
public:
    // Opens the database and creates the schema if it is missing. Throws StoreError.
    explicit Store(DatabaseConfig config);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Stores one report in its own transaction and returns its id once committed
    // (durable on disk for SQLite; per the server's synchronous_commit for PostgreSQL).
    qint64 addReport(const RunReport& report, qint64 receivedAt);

    // Scored runs, the best first (ties: the earlier first), at most `count`.
    std::vector<ScoreEntry> best(int count);
    // Scored runs, the latest first, at most `count`.
    std::vector<ScoreEntry> latest(int count);
    // 1 + the number of stored scores above `score`, counted up to kExactRanks
    // (kExactRanks + 1 for any score further down).
    qint64 rankOf(qint64 score);
    // The stored run with this id, or nothing.
    std::optional<RunResult> result(qint64 id);

    // The stored run with this file digest, if any.
    std::optional<qint64> runWithDigest(const QByteArray& digest);
    // Stores a re-played run in its own transaction and returns its id. A run that
    // checks a report marks it: only one run can, so a second one throws StoreError.
    qint64 addRun(const StoredRun& run, qint64 receivedAt);
    // The best checked run of each level that has one, by level; at most maxLevels.
    std::vector<RunEntry> bestCheckedRuns(int maxLevels);
    // The file of a checked run, or nothing.
    std::optional<RunFile> checkedRunFile(qint64 id);

    const DatabaseConfig& config() const { return config_; }

private:
    QSqlDatabase database();
    QSqlQuery& prepared(const QString& sql);
    void run(QSqlQuery& query);
    // Runs a prepared INSERT; the new row's id once committed.
    qint64 insert(QSqlQuery& query, bool postgres);
    [[noreturn]] void fail(const QString& what, const QSqlError& error);
    void createSchema(QSqlDatabase& db);
    std::vector<ScoreEntry> entries(QSqlQuery& query);

    DatabaseConfig config_;
    QString connectionName_;
    bool broken_ = false;
    QHash<QString, QSqlQuery> statements_;
};

} // namespace coilrun::server
