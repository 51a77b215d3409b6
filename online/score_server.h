#pragma once
#include <cstdlib>
#include <string>

namespace coilrun::online {

// Where the score server's pages live: the build default, or the address the
// environment gives in COILRUN_SCORE_SERVER (without a trailing slash).
inline std::string scoreServerAddress() {
    std::string address = "http://127.0.0.1:8765";
    if (const char* env = std::getenv("COILRUN_SCORE_SERVER"); env && *env) address = env;
    while (!address.empty() && address.back() == '/')
        address.pop_back();
    return address;
}

// The folder of every page on the server.
inline constexpr const char* kDataPath = "/Coilrun/data/";

inline std::string scoreServerPage(const std::string& page) {
    return scoreServerAddress() + kDataPath + page;
}

} // namespace coilrun::online
