#include "tests/integration/server/server_process.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server::testing {

QString& ServerProcess::executable() {
    static QString path;
    return path;
}

ServerProcess::~ServerProcess() {
    if (running()) kill();
}

bool ServerProcess::start(const QStringList& arguments, const QString& logFile, QString* error) {
    process_.setProgram(executable());
    process_.setArguments(QStringList{u"--listen"_s, u"127.0.0.1:0"_s} + arguments);
    process_.setStandardErrorFile(logFile, QIODevice::Append);
    process_.start();
    if (!process_.waitForStarted(60'000)) {
        *error = u"cannot start "_s + executable() + u": "_s + process_.errorString();
        return false;
    }
    static const QRegularExpression ready(u"listening on http://127\\.0\\.0\\.1:(\\d+)/"_s);
    QByteArray out;
    for (int waited = 0; waited < 60; ++waited) {
        process_.waitForReadyRead(1000);
        out += process_.readAllStandardOutput();
        const auto match = ready.match(QString::fromUtf8(out));
        if (match.hasMatch()) {
            port_ = static_cast<unsigned short>(match.captured(1).toUInt());
            return true;
        }
        if (process_.state() == QProcess::NotRunning) break;
    }
    *error = u"the server did not report a port; it printed: "_s + QString::fromUtf8(out);
    if (running()) kill();
    return false;
}

void ServerProcess::kill() {
    process_.kill();
    process_.waitForFinished(60'000);
}

int ServerProcess::terminate() {
    process_.terminate();
    if (!process_.waitForFinished(60'000)) kill();
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

} // namespace coilrun::server::testing
