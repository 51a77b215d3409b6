#include "online/score_list.h"

#include "online/page_text.h"

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
        if (lines.size() >= kMaxScoreListLines) break;
        if (c != '+') {
            // One byte past the bound shows where the cut falls in a character.
            if (line.size() <= kMaxScoreListLineBytes) line += c;
            continue;
        }
        if (line.empty()) {
            lines.emplace_back();
            line = "- LATEST SCORES -";
            if (lines.size() >= kMaxScoreListLines) break;
        }
        lines.push_back(cutUtf8(line, kMaxScoreListLineBytes));
        line.clear();
    }
    lines.emplace_back();
    lines.emplace_back("<< GO BACK <<");
    return lines;
}

} // namespace coilrun::online
