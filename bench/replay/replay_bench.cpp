// What recording runs costs and what re-playing them takes, on the simulated
// platform:
//  - bytes per minute of the stored file, for levels won by chasing the specks (the
//    arrow keys and the mouse turning the rig) and for a long level in which the
//    mouse moves ten times a second (the controls change twice each time);
//  - the recorder's CPU time per recorded handler (thread CPU clock, median of
//    batches of 1000);
//  - the wall time of re-playing the long level headless, as `coilrun --verify`
//    does, scaled to ten minutes of play.
//   build/bench_replay [minutes of the long level [file to write it to]]   (default 10)
// With a file, the long level is also stored there, for timing `coilrun --verify` on it.
#include "app/headless_replay.h"
#include "bench/bench_clocks.h"
#include "bench/replay/run_minutes.h"
#include "engine/platform/virtual_keys.h"
#include "game/replay/run_compression.h"
#include "game/replay/run_file.h"
#include "tests/scenario/game/game_driver.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using coilrun::bench::minutesOf;
using coilrun::bench::percentile;
using coilrun::bench::threadCpuNs;
using coilrun::replay::RunRecord;
using coilrun::scenario::GameDriver;
namespace vk = coilrun::vk;

int fail(const char* why) {
    std::fprintf(stderr, "bench_replay: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const double longMinutes = argc > 1 ? std::max(0.5, std::atof(argv[1])) : 10;
    std::vector<RunRecord> runs;

    // Levels 1 to 3 won by the chaser.
    {
        GameDriver g;
        g.form().runs().onRunComplete = [&](RunRecord&& r) { runs.push_back(std::move(r)); };
        g.toMainMenu();
        g.startGame();
        for (int level = 1; level <= 3; ++level) {
            if (level > 1) {
                g.run(1);
                g.tap(vk::space);
                if (!g.untilControlsLive()) return fail("a level did not start");
            }
            if (!g.chaseSpecks([&] { return g.won(); }, 300)) return fail("a level was not won");
        }
    }
    if (runs.size() != 3) return fail("the won levels were not all recorded");
    double bytes = 0, minutes = 0;
    for (const RunRecord& r : runs) {
        bytes += double(coilrun::replay::writeRunFile(r).size());
        minutes += minutesOf(r);
    }
    std::printf("levels 1-3 won by chasing: %.2f minutes of play, %.0f bytes stored, "
                "%.0f bytes per minute\n",
                minutes, bytes, bytes / minutes);

    // A long level 1: the mouse moves ten times a second, then the snake leaves the box.
    double recordNs = 0;
    {
        GameDriver g;
        g.form().runs().onRunComplete = [&](RunRecord&& r) { runs.push_back(std::move(r)); };
        g.toMainMenu();
        g.startGame();
        const auto centre = g.links().GLUserInterface1->screenCentre();
        const int slices = int(longMinutes * 60 * 10);
        for (int i = 0; i < slices; ++i) {
            g.platform.cursorImpl.moveTo({centre.x + int(20 * std::sin(i * 0.3)), centre.y});
            g.run(0.1);
        }

        if (!g.leaveTheBox(vk::left)) return fail("the long level did not end");
        g.run(0.5);
    }
    if (runs.size() != 4) return fail("the long level was not recorded");

    // The recorder's own work for a frame, on a live window while it records a level.
    {
        GameDriver g;
        g.toMainMenu();
        g.startGame();
        coilrun::replay::RunTap& tap = g.form().runs();
        if (!tap.recording()) return fail("the level is not being recorded");
        std::vector<double> batches;
        for (int b = 0; b < 200; ++b) {
            const double t0 = threadCpuNs();
            for (int i = 0; i < 1000; ++i) {
                g.form().game().controls.lookX = std::int16_t(i % 5);
                tap.frameStarts(coilrun::replay::RunHandler::Cadencer1Progress, 0.01);
                tap.handlerEnded(coilrun::replay::RunHandler::Cadencer1Progress);
            }
            batches.push_back((threadCpuNs() - t0) / 1000);
        }
        recordNs = percentile(batches, 0.5);
    }
    const RunRecord& longRun = runs.back();
    const std::vector<std::uint8_t> file = coilrun::replay::writeRunFile(longRun);
    const double longPlayed = minutesOf(longRun);
    if (argc > 2) {
        std::FILE* out = std::fopen(argv[2], "wb");
        if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size())
            return fail("the long level could not be written");
        std::fclose(out);
    }
    std::printf("a level 1 of %.2f minutes, the mouse moving ten times a second: %zu bytes, %.0f "
                "bytes per minute (%u handlers recorded; the start state alone packs to %zu "
                "bytes)\n",
                longPlayed, file.size(), double(file.size()) / longPlayed, longRun.eventCount,
                coilrun::replay::compress(longRun.startState).size());
    std::printf("recorder CPU time per recorded frame: median %.3f us (batches of 1000)\n",
                recordNs / 1000);

    const auto t0 = std::chrono::steady_clock::now();
    const double cpu0 = coilrun::bench::processCpuSeconds();
    const RunRecord read = coilrun::replay::readRunFile(file);
    const coilrun::replay::RunSummary replayed = coilrun::replayHeadless(read);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = coilrun::bench::processCpuSeconds() - cpu0;
    if (!(replayed == longRun.summary)) return fail("the long level re-played differently");
    std::printf("re-playing it headless (as --verify): %.3f s wall (%.3f s CPU), %.3f s wall "
                "per ten minutes of play\n",
                seconds, cpu, seconds / longPlayed * 10);
    std::printf("  targets: < 20000 bytes per minute, < 1 us per step, < 1 s per ten "
                "minutes\n");
    return 0;
}
