#pragma once
#include "engine/platform/run_folder.h"

#include <map>

namespace coilrun::sim {

// The run folder in memory; tests read and plant files in `files`.
class SimRunFolder : public platform::RunFolder {
public:
    std::vector<std::string> fileNames() const override {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : files)
            names.push_back(name);
        return names;
    }
    bool write(const std::string& name, const std::vector<std::uint8_t>& bytes) override {
        if (failWrites) return false;
        files[name] = bytes;
        return true;
    }
    bool remove(const std::string& name) override { return files.erase(name) > 0; }
    std::string pathOf(const std::string& name) const override { return "/sim/replays/" + name; }

    std::map<std::string, std::vector<std::uint8_t>> files;
    bool failWrites = false;
};

} // namespace coilrun::sim
