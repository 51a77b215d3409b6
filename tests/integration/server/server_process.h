#pragma once
// The real build/coilrun-scored as a child process, on a free loopback port that
// it chooses itself (--listen 127.0.0.1:0) and reports on its first stdout line.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace coilrun::server::testing {

class ServerProcess {
public:
    // The executable under test, set once from the command line of the test.
    static QString& executable();

    ServerProcess() = default;
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // The environment it starts with; by default the test's own.
    void setEnvironment(const QProcessEnvironment& env) { process_.setProcessEnvironment(env); }

    // Starts it with these arguments plus --listen 127.0.0.1:0, appending its
    // stderr to `logFile`, and waits (up to a minute) until it listens.
    bool start(const QStringList& arguments, const QString& logFile, QString* error);
    unsigned short port() const { return port_; }
    bool running() const { return process_.state() != QProcess::NotRunning; }

    void kill();     // SIGKILL, and wait for it to be gone
    int terminate(); // SIGTERM; the exit code

private:
    QProcess process_;
    unsigned short port_ = 0;
};

} // namespace coilrun::server::testing
