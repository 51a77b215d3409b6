#pragma once
#include "server/run_report.h"

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

namespace coilrun::server {

// A query longer than this is not a run report the game could have sent.
inline constexpr qsizetype kMaxQueryBytes = 4096;

struct QueryItem {
    QString key;
    QString value;
};

// Percent-decodes one key or value (a "%" not followed by two hex digits stays as
// it is; "+" stays "+": the game never encodes a blank as "+"). The bytes are read
// as UTF-8 when they are valid UTF-8 and as Latin-1 otherwise, because the game
// sends the player's name without percent-encoding, so a name may
// arrive as raw 8-bit text.
QString decodeQueryComponent(QByteArrayView raw);

// Splits a raw query ("a=1&b=2", without the "?") into its items in order. Empty
// items ("&&") are skipped; an item without "=" has an empty value.
std::vector<QueryItem> parseQueryItems(QByteArrayView rawQuery);

// A whole number 0..kMaxScore written with ASCII digits only, or nothing.
std::optional<qint64> parseScore(QStringView text);

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
CountQuery parseCountQuery(QByteArrayView rawQuery);

} // namespace coilrun::server
