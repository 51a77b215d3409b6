// integration_server --scored PATH --backend sqlite|postgresql [gtest options]
#include "tests/integration/server/backend.h"
#include "tests/integration/server/server_process.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>

using namespace coilrun::server::testing;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QString backend;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--scored") == 0)
            ServerProcess::executable() = QString::fromLocal8Bit(argv[i + 1]);
        if (std::strcmp(argv[i], "--backend") == 0) backend = QString::fromLatin1(argv[i + 1]);
    }
    if (ServerProcess::executable().isEmpty() || !selectBackend(backend)) {
        std::fprintf(stderr, "usage: %s --scored PATH --backend sqlite|postgresql\n", argv[0]);
        return 2;
    }
    return RUN_ALL_TESTS();
}
