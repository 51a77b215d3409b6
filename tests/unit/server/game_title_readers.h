#pragma once
// The game's own readers of page titles, so that the server's titles are checked
// against what the game will do with them, not against the server's own idea of them.
#include "online/page_commands.h"
#include "online/score_list.h"

#include <string>
#include <utility>
#include <vector>

namespace coilrun::server::testing {

// The score overlay: the lines it shows for a title, without the closing blank
// line and "<< GO BACK <<" that it always adds.
inline std::vector<std::string> scoreListLines(const std::string& text) {
    std::vector<std::string> lines = online::scoreListLines(true, text);
    lines.resize(lines.size() - 2);
    return lines;
}

// the splash takes a title whose fifth character is ":" for a bare
// address, that is, for no score list at all.
inline bool splashTakesAsScoreList(const std::string& title) {
    return !(title.size() >= 5 && title[4] == ':');
}

// The score browser: the (name, value) page commands of a title.
inline std::vector<std::pair<std::string, std::string>> pageCommands(const std::string& title) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const online::PageCommand& c : online::parsePageCommands(title))
        pairs.push_back({c.name, c.value});
    return pairs;
}

inline std::vector<std::string> commandNames(const std::string& title) {
    std::vector<std::string> names;
    for (const auto& [name, value] : pageCommands(title))
        names.push_back(name);
    return names;
}

} // namespace coilrun::server::testing
