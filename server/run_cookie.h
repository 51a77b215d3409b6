#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace coilrun::server {

// The cookie by which count.php's answer tells the pages the browser reloads
// next which run was reported last. Plain C++, like the query: a Cookie header
// is request text as untrusted as the query is.

// The run id of the first "coilrun_run" cookie in a Cookie header; 0 when there
// is none or its value is not a run id (1 to 18 ASCII digits).
std::int64_t runIdFromCookieHeader(std::string_view header);

// The Set-Cookie value that remembers run `id` for 15 minutes, or that forgets
// an earlier run when id is 0.
std::string runCookie(std::int64_t id);

} // namespace coilrun::server
