#pragma once
#include <string>
#include <vector>

namespace coilrun::online {

// The lines of the score list overlay, from what the splash read in the score
// page's title: entries ended by "+", the first after "BEST SCORE:   ", and after
// "++" an empty line and "- LATEST SCORES -"; text after the last "+" is not
// shown. Without a list, a note to check the connection. Always ends with a way back.
std::vector<std::string> scoreListLines(bool available, const std::string& text);

} // namespace coilrun::online
