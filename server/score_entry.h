#pragma once
#include <QString>
#include <optional>

namespace coilrun::server {

// One stored run with a score, as the lists show it.
struct ScoreEntry {
    qint64 id = 0; // the report's row id; later reports have larger ids
    QString name;  // the stored (raw) name; made safe where it is shown
    qint64 score = 0;
    qint64 receivedAt = 0; // seconds since the epoch, UTC, by the server's clock
};

// Ranks are counted exactly down to this one; a run further down the list is
// "over kExactRanks", which keeps the cost of a rank bounded however big the
// store grows (an exact rank means counting every better run).
inline constexpr qint64 kExactRanks = 1000;

// What the result pages say about one run: the run just reported, or the one a
// browser's cookie points at when it reloads the page without its query.
struct RunResult {
    qint64 id = 0;               // 0 when the report was not stored (rate limit)
    QString name;                // raw name
    std::optional<qint64> score; // none for a run without a score
    std::optional<qint64> rank;  // 1 for the best score; kExactRanks + 1: further down.
                                 // Set whenever score is.
};

} // namespace coilrun::server
