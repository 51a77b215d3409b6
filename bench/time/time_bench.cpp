// Prints the asynchronous timer's tick intervals, what its workers cost, and the ASAP
// pump's frame rate with and without a window timer beside it.
#include "bench/bench_clocks.h"
#include "engine/time/async_timer.h"
#include "engine/time/cadencer.h"
#include "engine/time/timer.h"
#include "platform/qt/qt_message_loop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

using namespace coilrun;

namespace {

// Runs the event loop for ms, blocking when there is nothing to do.
void runLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct NullScene : engine::ProgressTarget {
    void doProgress(double, double) override {}
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qt::QtClock clock;
    qt::QtMessageLoop loop(clock);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;

    {
        engine::TAsyncTimer timer(loop);
        std::vector<double> at;
        timer.setInterval(10);
        timer.setOnTimer([&] { at.push_back(clock.seconds()); });
        timer.setEnabled(true);
        runLoop(seconds * 1000);
        timer.setEnabled(false);
        std::vector<double> gaps;
        for (std::size_t i = 1; i < at.size(); ++i)
            gaps.push_back((at[i] - at[i - 1]) * 1e3);
        std::printf("async timer at 10 ms: %zu ticks in %d s, interval median %.3f ms, "
                    "p99 %.3f ms, max %.3f ms\n",
                    at.size(), seconds, bench::percentile(gaps, 0.5), bench::percentile(gaps, 0.99),
                    bench::percentile(gaps, 1.0));
    }
    {
        const double idleStart = bench::processCpuSeconds();
        runLoop(seconds * 1000);
        const double idle = (bench::processCpuSeconds() - idleStart) / seconds;
        std::vector<std::unique_ptr<engine::TAsyncTimer>> timers;
        int ticks = 0;
        for (int i = 0; i < 5; ++i) {
            auto t = std::make_unique<engine::TAsyncTimer>(loop);
            t->setInterval(10);
            t->setOnTimer([&] { ++ticks; });
            t->setEnabled(true);
            timers.push_back(std::move(t));
        }
        const double start = bench::processCpuSeconds();
        runLoop(seconds * 1000);
        const double busy = (bench::processCpuSeconds() - start) / seconds;
        timers.clear();
        std::printf("five async timers at 10 ms: %.1f ms CPU per second (idle loop %.1f ms), "
                    "%.0f ticks/s\n",
                    (busy - idle) * 1e3, idle * 1e3, double(ticks) / seconds);
    }
    engine::CadencerPump pump(clock, loop);
    NullScene scene;
    for (int withTimer = 0; withTimer < 2; ++withTimer) {
        engine::TGLCadencer cadencer(pump);
        long frames = 0;
        cadencer.setOnProgress([&](engine::TGLCadencer&, double, double) { ++frames; });
        engine::TTimer timer(loop);
        int ticks = 0;
        timer.setInterval(10);
        timer.setEnabled(withTimer == 1);
        timer.setOnTimer([&] { ++ticks; });
        cadencer.setScene(&scene);
        runLoop(seconds * 1000);
        cadencer.setEnabled(false);
        runLoop(10);
        if (withTimer)
            std::printf("ASAP pump with a 10 ms window timer: %.0f frames/s, timer %.1f ticks/s\n",
                        double(frames) / seconds, double(ticks) / seconds);
        else
            std::printf("ASAP pump, empty frames: %.0f frames/s\n", double(frames) / seconds);
    }
    return 0;
}
