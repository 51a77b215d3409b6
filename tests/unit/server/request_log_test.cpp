#include "server/request_log.h"

#include <gtest/gtest.h>

using namespace coilrun::server;

namespace {

const QDateTime when = QDateTime::fromMSecsSinceEpoch(1'796'000'000'123LL, Qt::UTC);

TEST(RequestLog, MethodPathStatusMilliseconds) {
    EXPECT_EQ(requestLogLine(when, "GET", "/Coilrun/data/view.php", 200, 1.4159),
              QByteArray("2026-11-30T00:53:20.123Z GET /Coilrun/data/view.php 200 1.42ms\n"));
}

TEST(RequestLog, NothingFromTheClientIsWrittenRaw) {
    const QByteArray line = requestLogLine(when, "G\nET", "/x\x1b]0;pwn\x07\n/\xc3\xb6 y", 404, 0);
    EXPECT_EQ(line.count('\n'), 1);
    EXPECT_FALSE(line.contains('\x1b'));
    EXPECT_TRUE(line.contains("/x%1B]0;pwn%07%0A/%C3%B6%20y 404"));
}

} // namespace
