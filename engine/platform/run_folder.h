#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace coilrun::platform {

// The folder the program keeps its recorded runs in: "replays" under the user's
// data location (~/.local/share/Quorvex/Coilrun/replays on Linux). Plain files,
// each written whole.
class RunFolder {
public:
    virtual ~RunFolder() = default;
    // The names of the files in it; empty when it does not exist yet.
    virtual std::vector<std::string> fileNames() const = 0;
    // Writes the file whole (a half-written file never takes the name), creating
    // the folder when needed. False on failure.
    virtual bool write(const std::string& name, const std::vector<std::uint8_t>& bytes) = 0;
    // False when the file could not be removed (or was not there).
    virtual bool remove(const std::string& name) = 0;
    // The file's full path, as messages and the player name it.
    virtual std::string pathOf(const std::string& name) const = 0;
};

} // namespace coilrun::platform
