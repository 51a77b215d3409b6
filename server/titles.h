#pragma once
#include "server/score_entry.h"

#include <QString>
#include <optional>
#include <vector>

namespace coilrun::server {

// The page titles the game reads. view.php's title is the score list text that
// the game's score overlay walks; the score browser's pages carry page commands. Every
// piece of request text in them passes titleName or titleText first.

// "alice  1234": the name as titleName makes it, two blanks, the score.
QString scoreEntryTitle(const ScoreEntry& entry);

// Best entries each ended by "+", one more "+", latest entries each ended by "+":
// "alice  1234+bob  999++carol  50+". With no entries at all it is "+".
QString scoreListTitle(const std::vector<ScoreEntry>& best, const std::vector<ScoreEntry>& latest);

// The title of view.php when the store cannot be read: its fifth character is ":",
// so the splash treats it as no score list and the game says so.
QString unavailableScoreListTitle();

// One page command, name(value); the value goes through titleText.
QString pageCommand(QStringView name, QStringView value);

// How the score browser is to be framed: caption, size, border style.
struct BrowserFrame {
    QString caption;
    int width = 0;  // 0: no width command
    int height = 0; // 0: no height command
    QString style;  // empty: no style command
};

// "title(Coilrun - Scores) width(758) height(473) style(bsSingle)"
QString pageCommandTitle(const BrowserFrame& frame);

// Only a caption: "title(Coilrun - Velmora)".
QString captionTitle(QStringView caption);

// The window caption for a result page: "Coilrun - alice, 1234 points, rank 3",
// "Coilrun - No score this run", or "Coilrun - Scores" when there is no result.
QString resultCaption(const std::optional<RunResult>& result);

// Titles of the two pages the links lead to: back to the game, and quit.
inline constexpr char16_t kGoBackTitle[] = u"goback()";
inline constexpr char16_t kSkipTitle[] = u"skip()";

} // namespace coilrun::server
