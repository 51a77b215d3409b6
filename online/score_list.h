#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace coilrun::online {

// Bounds on the list a page may put on the screen. The reference server sends ten
// entries, names cut at 24 characters; twice as many lines, each longer than the
// "BEST SCORE:" label, a name of 4-byte characters and a score together, is more than
// a real list has, and a hostile title of any length costs no more than that.
inline constexpr std::size_t kMaxScoreListLines = 24;
inline constexpr std::size_t kMaxScoreListLineBytes = 128;

// The lines of the score list overlay, from what the splash read in the score
// page's title (UTF-8): entries ended by "+", the first after "BEST SCORE:   ", and
// after "++" an empty line and "- LATEST SCORES -"; text after the last "+" is not
// shown. The lines keep the title's UTF-8 and stay within the bounds above, cut
// between characters. Without a list, a note to check the connection. Always ends with a way back.
std::vector<std::string> scoreListLines(bool available, const std::string& text);

} // namespace coilrun::online
