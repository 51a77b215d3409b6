#include "tests/integration/server/backend.h"

#include "tests/integration/server/postgres_cluster.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server::testing {
namespace {

class SqliteBackend : public Backend {
public:
    QString name() const override { return u"sqlite"_s; }
    bool setUp(QString* error) override {
        dir_ = std::make_unique<QTemporaryDir>();
        if (!dir_->isValid()) *error = u"no temporary folder"_s;
        return dir_->isValid();
    }
    void tearDown() override { dir_.reset(); }
    bool newStore(const QString& tag, TestStore* store, QString*) override {
        const QString path = dir_->filePath(tag + u".sqlite"_s);
        store->serverArguments = {u"--db"_s, path};
        store->config = DatabaseConfig{};
        store->config.sqlitePath = path;
        return true;
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

class PostgresBackend : public Backend {
public:
    QString name() const override { return u"postgresql"_s; }
    QString skipReason() const override { return PostgresCluster::unavailableReason(); }
    bool setUp(QString* error) override { return cluster_.start(error); }
    void tearDown() override { cluster_.stop(); }
    bool newStore(const QString& tag, TestStore* store, QString* error) override {
        if (!cluster_.createDatabase(tag, error)) return false;
        store->serverArguments = {u"--db-url"_s, cluster_.url(tag)};
        store->config = cluster_.config(tag);
        return true;
    }

private:
    PostgresCluster cluster_;
};

Backend* selected = nullptr;

// Sets the backend up once for the whole run, and down at the end.
class BackendEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!backend().skipReason().isEmpty()) return;
        QString error;
        ASSERT_TRUE(backend().setUp(&error)) << error.toStdString();
    }
    void TearDown() override { backend().tearDown(); }
};

} // namespace

bool selectBackend(const QString& name) {
    static std::unique_ptr<Backend> instance;
    if (name == u"sqlite")
        instance = std::make_unique<SqliteBackend>();
    else if (name == u"postgresql")
        instance = std::make_unique<PostgresBackend>();
    else
        return false;
    selected = instance.get();
    ::testing::AddGlobalTestEnvironment(new BackendEnvironment);
    return true;
}

Backend& backend() {
    return *selected;
}

} // namespace coilrun::server::testing
