#pragma once
// The game's two readers of page titles, written out from how the game reads them so that the
// server's titles are checked against what the game will do with them, not
// against the server's own idea of them.
#include <string>
#include <utility>
#include <vector>

namespace coilrun::server::testing {

// The score overlay: the lines the score overlay shows for a title.
inline std::vector<std::string> scoreListLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string buffer = "BEST SCORE:   ";
    for (char c : text) {
        if (c == '+') {
            if (buffer.empty()) {
                lines.push_back("");
                buffer = "- LATEST SCORES -";
            }
            lines.push_back(buffer);
            buffer.clear();
        } else {
            buffer += c;
        }
    }
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
    std::string buffer, name;
    bool outside = true;
    for (char c : title) {
        if (c == '(') {
            outside = false;
            name = buffer;
            buffer.clear();
        } else if (c == ')') {
            outside = true;
            if (pairs.size() < 256) pairs.push_back({name, buffer});
            name.clear();
            buffer.clear();
        } else if (c == ' ') {
            if (!outside) buffer += c;
        } else {
            buffer += c;
        }
    }
    return pairs;
}

inline std::vector<std::string> commandNames(const std::string& title) {
    std::vector<std::string> names;
    for (const auto& [name, value] : pageCommands(title))
        names.push_back(name);
    return names;
}

} // namespace coilrun::server::testing
