#include "tests/unit/server/sample_runs.h"

#include "game/replay/run_file.h"
#include "tests/scenario/game/game_driver.h"

#include <stdexcept>

namespace coilrun::server::testing {

const SampleRun& wonLevelOne() {
    static const SampleRun run = [] {
        scenario::GameDriver g;
        g.toMainMenu();
        g.startGame();
        if (!g.chaseSpecks([&] { return g.won(); }, 120))
            throw std::runtime_error("the chaser did not win level 1");
        g.run(1);
        for (const auto& [name, bytes] : g.platform.runFolderImpl.files) {
            if (name.find("-won-") == std::string::npos) continue;
            SampleRun r;
            r.file =
                QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
            r.summary = replay::readRunFile(bytes).summary;
            return r;
        }
        throw std::runtime_error("no won run was stored");
    }();
    return run;
}

} // namespace coilrun::server::testing
