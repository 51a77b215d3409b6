#pragma once
#include "engine/platform/run_folder.h"

#include <QString>

namespace coilrun::qt {

// "replays" under QStandardPaths::AppDataLocation, found when first used (the
// application's name and organisation are set by then).
class QtRunFolder : public platform::RunFolder {
public:
    std::vector<std::string> fileNames() const override;
    bool write(const std::string& name, const std::vector<std::uint8_t>& bytes) override;
    bool remove(const std::string& name) override;
    std::string pathOf(const std::string& name) const override;

private:
    QString folder() const;
};

} // namespace coilrun::qt
