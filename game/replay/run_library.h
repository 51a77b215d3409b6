#pragma once
#include "engine/platform/run_folder.h"
#include "game/replay/run_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace coilrun::replay {

// What a stored run's file name tells: "run-000042-level03-won-312.coilrun" is the
// 42nd run stored, a won level 3 with score 312; "run-000043-level03-lost.coilrun"
// the next one, lost.
struct StoredRun {
    std::uint32_t number = 0;
    int level = 0;
    bool won = false;
    int score = 0;
};
std::string runFileName(std::uint32_t number, const RunSummary& summary);
// Nothing for names the program did not give (a player's own files stay).
std::optional<StoredRun> parseRunFileName(const std::string& name);

// The stored runs to remove so that the last `keep` stay, and with them the best
// won run of each level (the higher score; the earlier of equal ones).
std::vector<std::string> runsToRemove(const std::vector<std::string>& names, std::size_t keep = 50);

// Stores a finished run under the next number and removes what is no longer kept.
// The file's name, or nothing when it could not be written.
std::optional<std::string> storeRun(platform::RunFolder& folder, const RunRecord& record);

} // namespace coilrun::replay
