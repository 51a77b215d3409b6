#include "online/score_list.h"

namespace coilrun::online {

std::vector<std::string> scoreListLines(bool available, const std::string& text) {
    if (!available)
        return {"No high score",
                "information available.",
                "",
                "Please check your internet connection.",
                "",
                "<< GO BACK <<"};
    std::vector<std::string> lines;
    std::string line = "BEST SCORE:   ";
    for (const char c : text) {
        if (c != '+') {
            line += c;
            continue;
        }
        if (line.empty()) {
            lines.emplace_back();
            line = "- LATEST SCORES -";
        }
        lines.push_back(line);
        line.clear();
    }
    lines.emplace_back();
    lines.emplace_back("<< GO BACK <<");
    return lines;
}

} // namespace coilrun::online
