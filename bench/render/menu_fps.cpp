// Frame rate of the game window's menu scene as the program shows it: TForm1 read
// from the authored scene, on the real platform, pumped by its cadencers.
//   bench_menu_fps [--seconds S] [--size WxH] [--swap-interval N] [--emulate-vsync HZ]
// Prints frames per second, the median time between frames and the CPU time of the
// whole process (every thread, the software rasteriser's too) per frame, measured
// after a warm-up second. Run it under Xvfb for the reference figures, with no
// variable set, as a player starts the game.
//   --swap-interval N   asks the GL for that swap interval (1 = wait for the display)
//   --emulate-vsync HZ  each frame waits for the next 1/HZ boundary after drawing, as a
//                       swap does with a swap interval of 1 on a display that has one
//                       (Xvfb has none): shows what the program does while it waits
#include "app/main_form.h"
#include "bench/bench_clocks.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QSurfaceFormat>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>
#include <vector>

using namespace coilrun;

namespace {

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Options {
    double seconds = 5;
    int width = 928, height = 514;
    int swapInterval = -1; // -1: the program's own choice
    double vsyncHz = 0;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const char* v = argv[i + 1];
        if (!std::strcmp(argv[i], "--seconds"))
            o.seconds = std::atof(v);
        else if (!std::strcmp(argv[i], "--size"))
            std::sscanf(v, "%dx%d", &o.width, &o.height);
        else if (!std::strcmp(argv[i], "--swap-interval"))
            o.swapInterval = std::atoi(v);
        else if (!std::strcmp(argv[i], "--emulate-vsync"))
            o.vsyncHz = std::atof(v);
    }
    return o;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    qt::setDefaultGlFormat();
    if (options.swapInterval >= 0) {
        QSurfaceFormat format = QSurfaceFormat::defaultFormat();
        format.setSwapInterval(options.swapInterval);
        QSurfaceFormat::setDefaultFormat(format);
    }
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Coilrun");
    QApplication::setOrganizationName("Quorvex");

    qt::QtPlatform platform;
    engine::CadencerPump pump(platform.clock(), platform.loop());
    TForm1 form(platform, pump);
    auto& screen = platform.screen();
    form.window().setGeometry({(screen.width() - options.width) / 2,
                               (screen.height() - options.height) / 2, options.width,
                               options.height});
    form.show();

    bool measuring = false;
    std::vector<double> stamps;
    int drawnWidth = 0, drawnHeight = 0; // the game's layout tick may resize the window
    double cpuStart = 0, cpuEnd = 0;
    auto& viewer = form.viewer();
    auto previous = viewer.onAfterRender;
    viewer.onAfterRender = [&](int w, int h) {
        if (previous) previous(w, h);
        drawnWidth = w;
        drawnHeight = h;
        if (options.vsyncHz > 0) {
            const double period = 1.0 / options.vsyncHz, now = wallSeconds();
            const double next = (std::floor(now / period) + 1) * period;
            std::this_thread::sleep_for(std::chrono::duration<double>(next - now));
        }
        if (measuring) stamps.push_back(wallSeconds());
    };
    QTimer::singleShot(1000, [&] {
        measuring = true;
        cpuStart = bench::processCpuSeconds();
    });
    QTimer::singleShot(int(1000 + options.seconds * 1000), [&] {
        measuring = false;
        cpuEnd = bench::processCpuSeconds();
        QApplication::quit();
    });
    QApplication::exec();
    viewer.onAfterRender = previous;

    std::printf("menu scene drawn at %d x %d (asked %d x %d), %.1f s, swap interval %s%s\n",
                drawnWidth, drawnHeight, options.width, options.height, options.seconds,
                options.swapInterval >= 0 ? std::to_string(options.swapInterval).c_str()
                                          : "as the program sets it",
                options.vsyncHz > 0
                    ? (", emulated vsync " + std::to_string(int(options.vsyncHz)) + " Hz").c_str()
                    : "");
    if (stamps.size() < 3) {
        std::printf("  too few frames to measure (%zu)\n", stamps.size());
        return 0;
    }
    std::vector<double> gaps;
    for (std::size_t i = 1; i < stamps.size(); ++i)
        gaps.push_back(stamps[i] - stamps[i - 1]);
    std::sort(gaps.begin(), gaps.end());
    const double span = stamps.back() - stamps.front();
    const double frames = double(gaps.size());
    std::printf("  frames per second:  %.1f\n", frames / span);
    std::printf("  median frame:       %.2f ms\n", 1000 * gaps[gaps.size() / 2]);
    std::printf("  CPU per frame:      %.2f ms (all threads)\n",
                1000 * (cpuEnd - cpuStart) / double(stamps.size()));
    return 0;
}
