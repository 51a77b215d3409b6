#pragma once
#include "server/run_report.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace coilrun::server {

// Reading count.php's query needs no Qt: it is plain C++ so that it can be
// fuzzed on its own, away from the HTTP layer.

// A query longer than this is not a run report the game could have sent.
inline constexpr std::size_t kMaxQueryBytes = 4096;

struct QueryItem {
    std::u16string key;
    std::u16string value;
};

// Percent-decodes one key or value (a "%" not followed by two hex digits stays as
// it is; "+" stays "+": the game never encodes a blank as "+"). The bytes are read
// as UTF-8 when they are valid UTF-8 and as Latin-1 otherwise, because the game
// sends the player's name without percent-encoding, so a name may
// arrive as raw 8-bit text.
std::u16string decodeQueryComponent(std::string_view raw);

// Splits a raw query ("a=1&b=2", without the "?") into its items in order. Empty
// items ("&&") are skipped; an item without "=" has an empty value.
std::vector<QueryItem> parseQueryItems(std::string_view rawQuery);

// A whole number 0..kMaxScore written with ASCII digits only, or nothing.
std::optional<std::int64_t> parseScore(std::u16string_view text);

enum class CountQueryKind {
    None,       // no query: the browser reloading count.php after a size change
    Report,     // a run report (the NEW key is present)
    Unreadable, // a query, but not one that reports a run
};

struct CountQuery {
    CountQueryKind kind = CountQueryKind::None;
    RunReport report; // meaningful for Report only
};

// Reads count.php's query (keys NEW, DATE, SCORE, USER). The first of
// repeated keys wins; control characters are removed and values cut to their
// limits (run_report.h).
CountQuery parseCountQuery(std::string_view rawQuery);

} // namespace coilrun::server
