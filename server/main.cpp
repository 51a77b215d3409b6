// coilrun-scored: the reference score server. See options.cpp for the command line.
#include "server/database_config.h"
#include "server/http_front_end.h"
#include "server/options.h"
#include "server/rate_limiter.h"
#include "server/site.h"
#include "server/store.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace coilrun::server;

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the event loop, so that the store closes cleanly (SQLite
// checkpoints its WAL); a SIGKILL loses nothing that was acknowledged either.
void quitOnSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char byte;
        [[maybe_unused]] const auto n = ::read(signalPipe[0], &byte, 1);
        app.quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void printLine(std::FILE* to, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
    std::fflush(to);
}

std::optional<DatabaseConfig> databaseConfig(const ServerOptions& options) {
    if (!options.dbUrl.isEmpty()) {
        QString error;
        auto config = parsePostgresUrl(options.dbUrl, &error);
        if (!config) printLine(stderr, u"coilrun-scored: --db-url: "_s + error);
        return config;
    }
    DatabaseConfig config;
    config.sqlitePath = options.dbPath;
    config.sqliteFullSync = options.fullSync;
    if (config.sqlitePath.isEmpty()) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (folder.isEmpty() || !QDir().mkpath(folder)) {
            printLine(stderr, u"coilrun-scored: cannot create the data folder "_s + folder);
            return std::nullopt;
        }
        config.sqlitePath = folder + u"/scores.sqlite"_s;
    }
    return config;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(u"Coilrun"_s);
    QCoreApplication::setApplicationName(u"coilrun-scored"_s);
    QCoreApplication::setApplicationVersion(u"0.1"_s);
    std::signal(SIGPIPE, SIG_IGN);

    const ParsedOptions parsed = parseOptions(QCoreApplication::arguments());
    switch (parsed.action) {
    case ParsedOptions::Action::Help:
        printLine(stdout, helpText());
        return 0;
    case ParsedOptions::Action::Version:
        printLine(stdout, u"coilrun-scored 0.1"_s);
        return 0;
    case ParsedOptions::Action::Error:
        printLine(stderr, u"coilrun-scored: "_s + parsed.error + u" (see --help)"_s);
        return 2;
    case ParsedOptions::Action::Run:
        break;
    }
    const ServerOptions& options = parsed.options;

    const std::optional<DatabaseConfig> config = databaseConfig(options);
    if (!config) return 1;
    std::unique_ptr<Store> store;
    try {
        store = std::make_unique<Store>(*config);
    } catch (const StoreError& e) {
        printLine(stderr, u"coilrun-scored: "_s + QString::fromUtf8(e.what()));
        return 1;
    }

    RateLimiter limiter(options.rateLimit);
    Site site(*store, limiter);
    HttpFrontEnd http(site);
    const quint16 port = http.listen(options.host, options.port);
    if (port == 0) {
        printLine(stderr, u"coilrun-scored: cannot listen on "_s + options.host.toString() + u':' +
                              QString::number(options.port));
        return 1;
    }
    quitOnSignals(app);

    const QString host = options.host.protocol() == QAbstractSocket::IPv6Protocol
                             ? u'[' + options.host.toString() + u']'
                             : options.host.toString();
    printLine(stdout, u"coilrun-scored: listening on http://"_s + host + u':' +
                          QString::number(port) + u"/Coilrun/data/ (store "_s + describe(*config) +
                          u')');
    const int status = app.exec();
    store.reset();
    return status;
}
