#pragma once
#include <string>

namespace coilrun::online {

// The player's name as the run report carries it: "+" and "&" would end the value
// in the address, so each becomes "-and-".
std::string escapePlayerName(const std::string& name);

// Percent-encodes every byte outside the unreserved set (letters, digits, '-',
// '.', '_', '~'), so that blanks, '#', '%', '?', '=' and non-ASCII letters reach
// the server as they were meant.
std::string percentEncode(const std::string& bytes);

// The address of the run report sent on every quit: count.php with the NEW flag,
// and, when a score was made, the date, the best score and the player's name.
std::string runReportUrl(const std::string& serverAddress, const std::string& newFlag,
                         int bestScore, const std::string& date, const std::string& playerName);

} // namespace coilrun::online
