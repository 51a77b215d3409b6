#pragma once
#include <QHostAddress>
#include <QString>
#include <QStringList>

namespace coilrun::server {

inline constexpr quint16 kDefaultPort = 8765;
inline constexpr int kDefaultRateLimit = 30;

struct ServerOptions {
    QHostAddress host = QHostAddress(QHostAddress::LocalHost);
    quint16 port = kDefaultPort;       // 0: any free port (the chosen one is printed)
    QString dbPath;                    // SQLite file; empty: the default in the data folder
    QString dbUrl;                     // PostgreSQL URL; empty: SQLite
    int rateLimit = kDefaultRateLimit; // reports stored per minute per client; 0: no limit
    bool fullSync = true;              // SQLite synchronous=FULL; false: NORMAL (--sync normal)
};

struct ParsedOptions {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    ServerOptions options;
    QString error; // for Error: what was wrong, one line
};

// Reads the command line (arguments[0] is the program). Unknown options, missing
// values and conflicting choices are errors.
ParsedOptions parseOptions(const QStringList& arguments);

// Parses "HOST:PORT", "[IPv6]:PORT", "localhost:PORT" or "*:PORT" (every address).
bool parseListenAddress(const QString& text, QHostAddress* host, quint16* port);

// The --help text: every option with its default.
QString helpText();

} // namespace coilrun::server
