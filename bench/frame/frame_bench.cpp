// Where a frame's time and pixels go: the authored scene drawn offscreen through the
// game's own frame driver and renderer, in virtual time, during a scripted run (the
// main menu, level 1 in play, and level 3 with a snake of 24 body spheres, the map,
// the HUD and the lights), in a GL context made through EGL without a window system.
//   build/bench_frame [frames, default 300] [WxH ..., default 1280x720 1920x1080]
// For each moment and size it prints:
//   - the CPU time of a frame, all the process's threads (the software rasteriser's
//     too): median and 99th percentile; a frame is one tick of the game (a 60 Hz
//     frame of virtual time) and its drawing, waited for as a swap would;
//   - the GL calls of a frame (the program's own calls, display lists counted once);
//   - the fragments each object and pass produces (occlusion queries) and their sum
//     over the pixels of the screen: the overdraw factor;
//   - the same frame's GL commands sent again by a plain loop from display lists
//     recorded while the engine drew it (the same meshes, lights, materials and state
//     changes, nothing else), alternating frame by frame with the engine's, and the
//     ratio of the engine's frame time to the loop's;
//   - at the end, the process's peak resident memory.
#include "bench/bench_clocks.h"
#include "bench/frame/frame_observers.h"
#include "bench/frame/gl_call_counter.h"
#include "engine/render/scene_viewer.h"
#include "tests/offscreen/offscreen_game.h"

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <vector>

using namespace coilrun;

namespace {

struct Size {
    int width, height;
};

struct Moment {
    const char* name;
    int storedLevel;
    int bodyLength; // below 0: the main menu, not play
};

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double residentMb(const char* field) {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    double kb = 0;
    const std::size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f))
        if (!std::strncmp(line, field, n)) kb = std::atof(line + n + 1);
    std::fclose(f);
    return kb / 1024;
}

struct Timing {
    std::vector<double> cpu, wall;
    void add(double c, double w) {
        cpu.push_back(c);
        wall.push_back(w);
    }
};

void printTiming(const char* what, const Timing& t) {
    const double median = bench::percentile(t.cpu, 0.5), p99 = bench::percentile(t.cpu, 0.99);
    const double wall = bench::percentile(t.wall, 0.5);
    std::printf("  %s: CPU per frame median %.2f ms, 99th percentile %.2f ms (%.2f x the "
                "median); wall median %.2f ms (%.0f frames per second)\n",
                what, 1000 * median, 1000 * p99, median > 0 ? p99 / median : 0, 1000 * wall,
                wall > 0 ? 1 / wall : 0);
}

void measure(const Moment& moment, Size size, int frames) {
    offscreen::OffscreenGame game(size.width, size.height, moment.storedLevel);
    if (!game.ready()) {
        std::printf("%s at %d x %d: no GL context could be made through EGL\n", moment.name,
                    size.width, size.height);
        return;
    }
    game.toMainMenu();
    if (moment.bodyLength >= 0) {
        game.toLightIntro();
        game.toPlay(moment.bodyLength);
    }
    int spheres = 0;
    for (const auto* s : game.links().snake)
        spheres += s->visible();
    int mapCubes = 0;
    for (const auto& row : game.links().mapCube)
        for (const auto* c : row)
            mapCubes += c->visible();
    std::printf("%s at %d x %d: level %d, %d spheres shown, %d map cubes, %s\n", moment.name,
                size.width, size.height, game.state().level, spheres, mapCubes,
                moment.bodyLength < 0    ? "main menu"
                : game.state().levelOver ? "LEVEL OVER (the figures are not of play)"
                                         : "in play");

    auto frame = [&] {
        game.advanceFrame();
        game.drawFrame();
        game.gl().finish();
    };
    for (int i = 0; i < 30; ++i)
        frame();

    auto& renderer = game.driver().form().viewer().renderer();
    {
        bench::FragmentMeter meter;
        if (meter.available()) {
            renderer.setObserver(&meter);
            game.drawFrame();
            renderer.setObserver(nullptr);
            game.gl().finish();
            const auto results = meter.results();
            double sum[2] = {0, 0};
            for (const auto& e : results)
                sum[e.overlay] += double(e.fragments);
            const double pixels = double(size.width) * size.height;
            std::printf("  fragments: 3D pass %.0f, overlay pass %.0f; overdraw factor %.2f "
                        "(3D %.2f, overlay %.2f)\n",
                        sum[0], sum[1], (sum[0] + sum[1]) / pixels, sum[0] / pixels,
                        sum[1] / pixels);
            int shown = 0;
            for (const auto& e : results) {
                if (e.fragments == 0 || shown++ >= 24) continue;
                std::printf("    %-40s %-8s %10llu  %5.1f %% of the screen\n", e.name.c_str(),
                            e.overlay ? "overlay" : "3D", (unsigned long long)e.fragments,
                            100.0 * double(e.fragments) / pixels);
            }
            std::size_t none = 0;
            for (const auto& e : results)
                none += e.fragments == 0;
            std::printf("    (%zu objects drawn, %zu of them with no fragment that passed)\n",
                        results.size(), none);
        }
    }

    // The frame recorded while drawn, for the plain loop to send again.
    bench::FrameRecorder recorder;
    game.drawFrame();
    renderer.setObserver(&recorder);
    game.drawFrame();
    renderer.setObserver(nullptr);
    game.gl().finish();

    // The engine's frames and the loop's alternate, so that whatever else the machine
    // does weighs on both alike and the ratio holds from run to run.
    Timing engine, loop;
    std::vector<double> calls, lists, batches, tick;
    for (int i = 0; i < frames; ++i) {
        double c0 = bench::processCpuSeconds(), w0 = wallSeconds();
        game.advanceFrame();
        tick.push_back(bench::processCpuSeconds() - c0);
        bench::glCalls() = {};
        game.drawFrame();
        const bench::GlCallCount count = bench::glCalls();
        game.gl().finish();
        engine.add(bench::processCpuSeconds() - c0, wallSeconds() - w0);
        calls.push_back(double(count.calls));
        lists.push_back(double(count.listCalls));
        batches.push_back(double(count.batches));

        c0 = bench::processCpuSeconds();
        w0 = wallSeconds();
        recorder.replay();
        game.gl().finish();
        loop.add(bench::processCpuSeconds() - c0, wallSeconds() - w0);
    }
    printTiming("engine", engine);
    std::printf("  of which the game's tick (the frame's 1/60 s of virtual time): median "
                "%.2f ms\n",
                1000 * bench::percentile(tick, 0.5));
    std::printf("  GL calls per frame: median %.0f (display-list calls %.0f, immediate "
                "batches %.0f)\n",
                bench::percentile(calls, 0.5), bench::percentile(lists, 0.5),
                bench::percentile(batches, 0.5));
    printTiming("plain loop", loop);
    const double ratio =
        bench::percentile(engine.cpu, 0.5) / std::max(1e-9, bench::percentile(loop.cpu, 0.5));
    std::printf("  engine / plain loop (the frame in %zu display lists): %.2f\n", recorder.lists(),
                ratio);
    recorder.release();
    std::printf("  resident memory now %.1f MB\n", residentMb("VmRSS:"));
}

} // namespace

int main(int argc, char** argv) {
    // Fonts are all the benchmark asks of Qt: no window system.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int frames = 300;
    std::vector<Size> sizes;
    for (int i = 1; i < argc; ++i) {
        Size s{};
        if (std::sscanf(argv[i], "%dx%d", &s.width, &s.height) == 2 && s.width > 0 && s.height > 0)
            sizes.push_back(s);
        else if (std::atoi(argv[i]) > 0)
            frames = std::atoi(argv[i]);
    }
    if (sizes.empty()) sizes = {{1280, 720}, {1920, 1080}};
    {
        egl::EglOffscreenGl probe;
        std::printf("bench_frame: %s; %d frames a measurement; load %s\n",
                    probe.valid() ? probe.description().c_str() : "no EGL context", frames, [] {
                        static char load[64] = "?";
                        if (FILE* f = std::fopen("/proc/loadavg", "r")) {
                            if (!std::fgets(load, sizeof load, f)) load[0] = 0;
                            std::fclose(f);
                        }
                        for (char* p = load; *p; ++p)
                            if (*p == '\n') *p = 0;
                        return load;
                    }());
    }
    const Moment moments[] = {
        {"main menu", 1, -1}, {"level 1 in play", 1, 5}, {"level 3, long snake", 3, 24}};
    for (const Moment& m : moments)
        for (Size s : sizes)
            measure(m, s, frames);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory of the process: %.1f MB\n", double(usage.ru_maxrss) / 1024);
    return 0;
}
