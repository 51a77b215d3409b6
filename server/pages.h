#pragma once
#include "server/score_entry.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace coilrun::server {

// The HTML of every page, UTF-8. Titles arrive already built by titles.h; every
// text placed in a page, titles included, is HTML-escaped here. All links are
// relative, since every page lives under /Coilrun/data/.

// view.php: the best and the latest scores as two tables.
QByteArray scoreListPage(const QString& title, const std::vector<ScoreEntry>& best,
                         const std::vector<ScoreEntry>& latest);

// Why a result page shows no stored result, or shows one that was not stored.
enum class ResultNote {
    None,
    NotStored, // over the rate limit: the run is shown but was not kept
};

// count.php and add: the player's result (when known), rank and the top scores,
// with the links back to the game and to quit. The row of `result` is marked.
QByteArray resultPage(const QString& title, const std::optional<RunResult>& result,
                      const std::vector<ScoreEntry>& top, ResultNote note = ResultNote::None);

// A page that cannot do what was asked but still offers the way back to the game
// and the way out: an unreadable query, a database failure, an unknown page.
QByteArray problemPage(const QString& title, const QString& heading, const QString& message);

// The credit page of one person, with a link back to the game.
QByteArray creditPage(const QString& title, const QString& person, const QString& role);

// The answer to a run file: what its re-play showed, and whether it checked the
// score reported before it.
QByteArray runStoredPage(const QString& title, const replay::RunSummary& run, bool checked);

// runs.php: the best checked run of each level, each with a link to its file.
QByteArray runsListPage(const QString& title, const std::vector<RunEntry>& runs);

// A page that exists for its title only (goback(), skip()); the text is what a
// person sees if the title is not acted on.
QByteArray commandPage(const QString& title, const QString& message);

} // namespace coilrun::server
