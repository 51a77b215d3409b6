#include "online/run_report.h"

#include "online/score_server.h"

namespace coilrun::online {

std::string escapePlayerName(const std::string& name) {
    std::string out;
    for (const char c : name) {
        if (c == '+' || c == '&')
            out += "-and-";
        else
            out += c;
    }
    return out;
}

std::string percentEncode(const std::string& bytes) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        const bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
                                (b >= '0' && b <= '9') || b == '-' || b == '.' || b == '_' ||
                                b == '~';
        if (unreserved) {
            out += c;
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0xF];
        }
    }
    return out;
}

std::string runReportUrl(const std::string& serverAddress, const std::string& newFlag,
                         int bestScore, const std::string& date, const std::string& playerName) {
    std::string url = serverAddress + kDataPath + "count.php?NEW=" + newFlag;
    if (bestScore != 0)
        url += "&DATE=" + percentEncode(date) + "&SCORE=" + std::to_string(bestScore) +
               "&USER=" + percentEncode(escapePlayerName(playerName));
    return url;
}

} // namespace coilrun::online
