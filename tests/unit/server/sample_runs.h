#pragma once
// Real run files for the server's tests: level 1 won by the speck chaser of the
// scenario tests, on the simulated platform, once per test program.
#include "game/replay/run_record.h"

#include <QByteArray>

namespace coilrun::server::testing {

struct SampleRun {
    QByteArray file;            // as the game stored it in its run folder
    replay::RunSummary summary; // as the game showed it
};

const SampleRun& wonLevelOne();

} // namespace coilrun::server::testing
