#include "app/run_file_access.h"

#include "app/headless_replay.h"
#include "game/replay/byte_stream.h"
#include "game/replay/run_file.h"

#include <fstream>
#include <iterator>
#include <ostream>

namespace coilrun {

replay::RunRecord loadRunFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw replay::RunFileError("cannot be read");
    std::vector<std::uint8_t> bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (bytes.size() > replay::kMaxRunFileBytes)
            throw replay::RunFileError("too large for a run file");
    }
    if (in.bad()) throw replay::RunFileError("cannot be read");
    return replay::readRunFile(bytes);
}

int verifyRunFile(const std::string& path, std::ostream& out, std::ostream& err) {
    try {
        const replay::RunRecord run = loadRunFile(path);
        const replay::RunSummary replayed = replayHeadless(run);
        out << replay::summaryLine(replayed) << "\n";
        if (!(replayed == run.summary)) {
            err << "coilrun: " << path << ": does not play out as it records ("
                << replay::summaryLine(run.summary) << ")\n";
            return 1;
        }
        return 0;
    } catch (const replay::RunFileError& e) {
        err << "coilrun: " << path << ": " << e.what() << "\n";
        return 2;
    }
}

} // namespace coilrun
