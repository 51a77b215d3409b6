#include "server/run_cookie.h"

namespace coilrun::server {
namespace {

constexpr std::string_view kCookieName = "coilrun_run";
// 18 digits always fit in 63 bits.
constexpr std::size_t kMaxIdDigits = 18;

// The blanks that may stand around a cookie in the header.
std::string_view trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

std::int64_t runIdFromCookieHeader(std::string_view header) {
    std::size_t start = 0;
    while (start <= header.size()) {
        std::size_t end = header.find(';', start);
        if (end == std::string_view::npos) end = header.size();
        const std::string_view part = trimmed(header.substr(start, end - start));
        start = end + 1;
        if (!part.starts_with(kCookieName) || part.size() <= kCookieName.size() ||
            part[kCookieName.size()] != '=')
            continue;
        const std::string_view value = part.substr(kCookieName.size() + 1);
        if (value.empty() || value.size() > kMaxIdDigits) return 0;
        std::int64_t id = 0;
        for (char c : value) {
            if (c < '0' || c > '9') return 0;
            id = id * 10 + (c - '0');
        }
        return id;
    }
    return 0;
}

std::string runCookie(std::int64_t id) {
    // Max-Age 0 forgets an earlier run, so that a report that was not stored does
    // not show someone's previous result on the reloaded page.
    return std::string(kCookieName) + '=' + (id > 0 ? std::to_string(id) : std::string()) +
           "; Path=/Coilrun/data; Max-Age=" + (id > 0 ? "900" : "0") + "; HttpOnly; SameSite=Lax";
}

} // namespace coilrun::server
