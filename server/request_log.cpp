#include "server/request_log.h"

#include "server/sanitize.h"

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server {

QByteArray requestLogLine(const QDateTime& when, QByteArrayView method, QByteArrayView path,
                          int status, double milliseconds) {
    return when.toUTC().toString(Qt::ISODateWithMs).toLatin1() + ' ' + logSafe(method, 16) + ' ' +
           logSafe(path) + ' ' + QByteArray::number(status) + ' ' +
           QByteArray::number(milliseconds, 'f', 2) + "ms\n";
}

} // namespace coilrun::server
