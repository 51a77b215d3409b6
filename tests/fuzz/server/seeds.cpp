// Writes the requests the game and a browser really send into a directory, for
// the fuzz target to start from: keys such as NEW are too far to find by chance.
//   fuzz_server_query_seeds <directory>
#include "server/run_cookie.h"

#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string seeds[] = {
        "NEW=FALSE&DATE=08/12/2026&SCORE=1234&USER=alice",
        "NEW=TRUE",
        "NEW=ME&DATE=12.08.26&SCORE=0&USER=J\xC3\xB6rg%20K-and-%E5%B1%B1",
        "NEW=FALSE&SCORE=10000000&USER=\xF6%F0%9F%90%8D",
        "other=1; " + coilrun::server::runCookie(42),
    };
    int n = 0;
    for (const std::string& seed : seeds) {
        std::ofstream out(std::string(argv[1]) + "/seed" + std::to_string(n++), std::ios::binary);
        out << seed;
        if (!out) return 1;
    }
    return 0;
}
