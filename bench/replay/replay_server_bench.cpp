// How many run files the score server re-plays a second on this machine: levels
// 1 to 3 won by the speck chaser on the simulated platform, then read and re-played
// in turn as an upload is (the work bounds, the headless game, the summary), one
// after the other on one thread, as the server takes them.
//   build/bench_replay_server [seconds]   (default 10)
#include "bench/replay/run_minutes.h"
#include "engine/platform/virtual_keys.h"
#include "game/replay/run_file.h"
#include "server/run_check.h"
#include "tests/scenario/game/game_driver.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

int fail(const char* why) {
    std::fprintf(stderr, "bench_replay_server: %s\n", why);
    return 1;
}

QByteArray bytesOf(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

double secondsSince(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 10;

    std::vector<coilrun::replay::RunRecord> runs;
    {
        coilrun::scenario::GameDriver g;
        g.form().runs().onRunComplete = [&](coilrun::replay::RunRecord&& r) {
            runs.push_back(std::move(r));
        };
        g.toMainMenu();
        g.startGame();
        for (int level = 1; level <= 3; ++level) {
            if (level > 1) {
                g.run(1);
                g.tap(coilrun::vk::space);
                if (!g.untilControlsLive()) return fail("a level did not start");
            }
            if (!g.chaseSpecks([&] { return g.won(); }, 300)) return fail("a level was not won");
        }
    }
    if (runs.size() != 3) return fail("the won levels were not all recorded");
    std::vector<QByteArray> files;
    double bytes = 0;
    for (const auto& r : runs) {
        files.push_back(bytesOf(coilrun::replay::writeRunFile(r)));
        bytes += double(files.back().size());
        std::printf("level %d: %u handlers, %lld bytes, score %d\n", r.summary.level, r.eventCount,
                    static_cast<long long>(files.back().size()), r.summary.score);
    }

    // One after the other, as the server's one thread takes them.
    long replayed = 0;
    double played = 0;
    const auto t0 = Clock::now();
    while (secondsSince(t0) < seconds) {
        const std::size_t i = std::size_t(replayed) % files.size();
        const auto checked = coilrun::server::replayRunFile(files[i]);
        if (!checked.summary) {
            std::fprintf(stderr, "level %d: %s\n", runs[i].summary.level,
                         checked.error.toUtf8().constData());
            return fail("a run was refused");
        }
        if (!(*checked.summary == runs[i].summary)) return fail("a run re-played differently");
        played += coilrun::bench::minutesOf(runs[i]);
        ++replayed;
    }
    const double elapsed = secondsSince(t0);
    std::printf("server re-play: %ld runs in %.2f s: %.1f runs per second (%.1f minutes of play "
                "re-played per second; files of %.0f bytes on average)\n",
                replayed, elapsed, replayed / elapsed, played / elapsed,
                bytes / double(files.size()));
    return 0;
}
