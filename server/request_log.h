#pragma once
#include <QByteArray>
#include <QDateTime>

namespace coilrun::server {

// One line per request for stderr:
//   2025-12-08T06:12:00.123Z GET /Coilrun/data/count.php 200 1.42ms
// The path goes through logSafe (the query is never logged: it carries the
// player's name), so nothing a client sends reaches the log unescaped.
QByteArray requestLogLine(const QDateTime& when, QByteArrayView method, QByteArrayView path,
                          int status, double milliseconds);

} // namespace coilrun::server
