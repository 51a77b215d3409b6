#pragma once
#include "game/replay/run_record.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace coilrun::server {

// One stored run with a score, as the lists show it.
struct ScoreEntry {
    qint64 id = 0; // the report's row id; later reports have larger ids
    QString name;  // the stored (raw) name; made safe where it is shown
    qint64 score = 0;
    qint64 receivedAt = 0; // seconds since the epoch, UTC, by the server's clock
    bool checked = false;  // a re-played run of the player's scored exactly this
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
    bool checked = false;        // see ScoreEntry
};

// A run file the server has re-played, as it stores it: the summary is what the
// re-play showed, not what the file says of itself.
struct StoredRun {
    qint64 reportId = 0;       // the report whose cookie came with the file; 0: none
    bool checksReport = false; // the re-played score equals that report's
    QString player;            // that report's (raw) name; empty without one
    replay::RunSummary summary;
    QByteArray digest; // SHA-256 of the file, hex
    QByteArray file;
};

inline qint64 clockHundredths(const replay::RunSummary& s) {
    return (qint64(s.minutes) * 60 + s.seconds) * 100 + s.hundredths;
}

// The best checked run of a level, as the runs page lists it.
struct RunEntry {
    qint64 id = 0;
    QString name; // raw name
    int level = 0;
    int length = 0;
    qint64 clockHundredths = 0;
    qint64 score = 0;
    qint64 receivedAt = 0;
};

struct RunFile {
    int level = 0;
    QByteArray bytes;
};

} // namespace coilrun::server
