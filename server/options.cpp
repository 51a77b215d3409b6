#include "server/options.h"

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server {

bool parseListenAddress(const QString& text, QHostAddress* host, quint16* port) {
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0) return false;
    QString hostText = text.left(colon);
    const QString portText = text.mid(colon + 1);
    bool ok = false;
    const uint value = portText.toUInt(&ok);
    if (!ok || value > 65535 || portText.startsWith(u'+')) return false;

    if (hostText.startsWith(u'[') && hostText.endsWith(u']')) {
        hostText = hostText.mid(1, hostText.size() - 2);
        if (!hostText.contains(u':')) return false;
    } else if (hostText.contains(u':')) {
        return false; // an IPv6 address needs its brackets
    }
    QHostAddress address;
    if (hostText == u"localhost")
        address = QHostAddress(QHostAddress::LocalHost);
    else if (hostText == u"*")
        address = QHostAddress(QHostAddress::Any);
    else if (!address.setAddress(hostText))
        return false;
    *host = address;
    *port = quint16(value);
    return true;
}

QString helpText() {
    return uR"(Usage: coilrun-scored [options]

The reference score server of Coilrun: serves the pages the game loads under
/Coilrun/data/ (view.php, count.php, add, Velmora.php, Kestrin.php) and stores
every run report. Logs one line per request to stderr; prints the address it
listens on to stdout once it is ready.

Options:
  --listen HOST:PORT  Address to listen on (default 127.0.0.1:8765). HOST is an
                      IPv4 address, [IPv6 address], localhost, or * for every
                      address; PORT 0 takes any free port.
  --db PATH           SQLite database file (default: scores.sqlite in the
                      user's data folder, e.g.
                      ~/.local/share/Coilrun/coilrun-scored/). Created if
                      missing; kept in WAL mode with synchronous=FULL.
  --db-url URL        Use a PostgreSQL database instead (QPSQL driver), so that
                      several servers can share one store:
                        postgresql://[user[:password]@][host][:port]/dbname
                      A query may add host=/socket/dir, port, sslmode,
                      sslrootcert, sslcert, sslkey, connect_timeout,
                      application_name, options. Leave the password out to
                      take it from PGPASSWORD or ~/.pgpass.
  --rate-limit N      Run reports stored per minute from one client address
                      (default 30; 0 turns the limit off). Reports over the
                      limit are answered with the normal page but not stored.
  --sync full|normal  How a SQLite commit reaches the disk before the report is
                      answered (default full: the report survives a power
                      cut; normal: it survives a crash of the server, not of
                      the machine, and reports are stored many times faster).
                      PostgreSQL follows its own synchronous_commit setting.
  --help              Show this help and exit.
  --version           Show the version and exit.
)"_s;
}

ParsedOptions parseOptions(const QStringList& arguments) {
    ParsedOptions parsed;
    auto error = [&](const QString& message) {
        parsed.action = ParsedOptions::Action::Error;
        parsed.error = message;
        return parsed;
    };
    bool haveDb = false;
    bool haveDbUrl = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString name = arguments[i];
        QString value;
        bool hasValue = false;
        if (const qsizetype eq = name.indexOf(u'='); name.startsWith(u"--") && eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            hasValue = true;
        }
        if (name == u"--help" || name == u"-h") {
            parsed.action = ParsedOptions::Action::Help;
            return parsed;
        }
        if (name == u"--version") {
            parsed.action = ParsedOptions::Action::Version;
            return parsed;
        }
        if (name != u"--listen" && name != u"--db" && name != u"--db-url" &&
            name != u"--rate-limit" && name != u"--sync")
            return error(u"unknown option "_s + name);
        if (!hasValue) {
            if (i + 1 >= arguments.size()) return error(name + u" needs a value"_s);
            value = arguments[++i];
        }
        if (name == u"--listen") {
            if (!parseListenAddress(value, &parsed.options.host, &parsed.options.port))
                return error(u"--listen wants HOST:PORT, not "_s + value);
        } else if (name == u"--db") {
            if (value.isEmpty()) return error(u"--db needs a file name"_s);
            parsed.options.dbPath = value;
            haveDb = true;
        } else if (name == u"--db-url") {
            if (value.isEmpty()) return error(u"--db-url needs a URL"_s);
            parsed.options.dbUrl = value;
            haveDbUrl = true;
        } else if (name == u"--sync") {
            if (value != u"full" && value != u"normal")
                return error(u"--sync wants full or normal, not "_s + value);
            parsed.options.fullSync = value == u"full";
        } else {
            bool ok = false;
            const int limit = value.toInt(&ok);
            if (!ok || limit < 0) return error(u"--rate-limit wants a whole number of 0 or more"_s);
            parsed.options.rateLimit = limit;
        }
    }
    if (haveDb && haveDbUrl) return error(u"--db and --db-url exclude each other"_s);
    return parsed;
}

} // namespace coilrun::server
