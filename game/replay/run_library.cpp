#include "game/replay/run_library.h"

#include "game/replay/run_file.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace coilrun::replay {

std::string runFileName(std::uint32_t number, const RunSummary& s) {
    char name[80];
    if (s.won)
        std::snprintf(name, sizeof name, "run-%06u-level%02d-won-%d.coilrun", number, s.level,
                      s.score);
    else
        std::snprintf(name, sizeof name, "run-%06u-level%02d-lost.coilrun", number, s.level);
    return name;
}

std::optional<StoredRun> parseRunFileName(const std::string& name) {
    StoredRun r;
    unsigned number = 0;
    int level = 0, score = 0, used = 0;
    if (std::sscanf(name.c_str(), "run-%6u-level%2d-won-%d.coilrun%n", &number, &level, &score,
                    &used) == 3 &&
        std::size_t(used) == name.size()) {
        r.won = true;
        r.score = score;
    } else if (used = 0; std::sscanf(name.c_str(), "run-%6u-level%2d-lost.coilrun%n", &number,
                                     &level, &used) == 2 &&
                         std::size_t(used) == name.size()) {
        r.won = false;
    } else {
        return std::nullopt;
    }
    r.number = number;
    r.level = level;
    // Only the names runFileName gives: the same name back.
    RunSummary s;
    s.level = level, s.won = r.won, s.score = r.score;
    if (runFileName(number, s) != name) return std::nullopt;
    return r;
}

std::vector<std::string> runsToRemove(const std::vector<std::string>& names, std::size_t keep) {
    std::vector<std::pair<StoredRun, std::string>> runs;
    for (const std::string& n : names)
        if (auto r = parseRunFileName(n)) runs.push_back({*r, n});
    std::sort(runs.begin(), runs.end(),
              [](const auto& a, const auto& b) { return a.first.number > b.first.number; });
    std::map<int, std::size_t> best; // level -> index in runs
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const StoredRun& r = runs[i].first;
        if (!r.won) continue;
        auto it = best.find(r.level);
        // Newest first, so an equal score later in the list is the earlier run.
        if (it == best.end() || r.score >= runs[it->second].first.score) best[r.level] = i;
    }
    std::vector<std::string> remove;
    for (std::size_t i = keep; i < runs.size(); ++i) {
        const bool bestOfLevel = runs[i].first.won && best[runs[i].first.level] == i;
        if (!bestOfLevel) remove.push_back(runs[i].second);
    }
    return remove;
}

std::optional<std::string> storeRun(platform::RunFolder& folder, const RunRecord& record) {
    std::uint32_t next = 1;
    const std::vector<std::string> names = folder.fileNames();
    for (const std::string& n : names)
        if (auto r = parseRunFileName(n)) next = std::max(next, r->number + 1);
    const std::string name = runFileName(next, record.summary);
    if (!folder.write(name, writeRunFile(record))) return std::nullopt;
    std::vector<std::string> all = names;
    all.push_back(name);
    for (const std::string& old : runsToRemove(all))
        folder.remove(old);
    return name;
}

} // namespace coilrun::replay
