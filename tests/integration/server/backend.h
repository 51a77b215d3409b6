#pragma once
// The store the server under test uses: a SQLite file, or a database in a
// private PostgreSQL cluster. Every test gets a fresh, empty store.
#include "server/database_config.h"

#include <QString>
#include <QStringList>

namespace coilrun::server::testing {

struct TestStore {
    QStringList serverArguments; // --db PATH or --db-url URL
    DatabaseConfig config;       // for the test to look into the store directly
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual QString name() const = 0;
    // Non-empty: the tests are skipped, for this reason.
    virtual QString skipReason() const { return {}; }
    // Starts what the backend needs, once; false (with a reason) is a failure.
    virtual bool setUp(QString* error) = 0;
    virtual void tearDown() {}
    // A new empty store; `tag` is a short identifier ([a-z0-9_]).
    virtual bool newStore(const QString& tag, TestStore* store, QString* error) = 0;
};

// Chooses the backend for this run ("sqlite" or "postgresql") and registers it
// as a gtest environment. False for an unknown name.
bool selectBackend(const QString& name);
Backend& backend();

} // namespace coilrun::server::testing
