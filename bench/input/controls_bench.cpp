// CPU time of the controls step per frame: the keyboard's poll, the keys the game
// polls, the pointer's travel for mouse look and the game controller's poll, all
// read into the frame's controls.
//  - in a level of the whole program on the simulated platform, with keys going
//    down and up and the pointer moving between the frames;
//  - over the real platform's keyboard, pointer and game controllers (Qt and SDL;
//    run it under Xvfb), where reading the pointer asks the display server.
// Each step is timed on the thread's CPU clock.
//   build/bench_controls [frames]        (default 20000)
#include "bench/bench_clocks.h"
#include "engine/input/controls_source.h"
#include "engine/platform/virtual_keys.h"
#include "game/controls_step.h"
#include "platform/qt/qt_cursor.h"
#include "platform/qt/qt_keyboard.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/sdl_gamepad.h"
#include "tests/scenario/game/game_driver.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using coilrun::bench::percentile;
using coilrun::bench::threadCpuNs;

void report(const char* what, const std::vector<double>& ns) {
    std::printf("  %-52s median %6.3f us, 99th percentile %6.3f us (%zu frames)\n", what,
                percentile(ns, 0.5) / 1000, percentile(ns, 0.99) / 1000, ns.size());
}

// The keys a player's frames see: now one, now another, now none.
constexpr int kKeys[] = {coilrun::vk::left,
                         coilrun::vk::up,
                         coilrun::vk::right,
                         coilrun::vk::down,
                         'W',
                         'D',
                         coilrun::vk::space,
                         coilrun::vk::escape,
                         'M'};

std::vector<double> simulatedLevel(int frames) {
    coilrun::scenario::GameDriver g;
    g.toMainMenu();
    g.startGame();
    coilrun::Game& game = g.form().game();
    std::vector<double> ns;
    ns.reserve(std::size_t(frames));
    for (int f = 0; f < frames; ++f) {
        const int key = kKeys[f % std::size(kKeys)];
        if (f % 3 == 0) g.press(key);
        if (f % 3 == 2) g.release(key);
        g.platform.cursorImpl.moveTo({640 + f % 7, 512 - f % 5});
        const double t0 = threadCpuNs();
        coilrun::readControls(game);
        ns.push_back(threadCpuNs() - t0);
    }
    return ns;
}

std::vector<double> realPlatform(int frames) {
    coilrun::qt::QtKeyboard keyboard;
    coilrun::qt::QtCursor cursor;
    coilrun::qt::QtScreen screen;
    QWidget window;
    window.show();
    keyboard.listenTo(&window);
    coilrun::engine::TGLUserInterface mouseLook(cursor, screen);
    mouseLook.MouseLookActivate();
    coilrun::qt::SdlGamepad gamepad;
    coilrun::engine::PlatformControls controls(keyboard, cursor, gamepad);
    std::vector<double> ns;
    ns.reserve(std::size_t(frames));
    for (int f = 0; f < frames; ++f) {
        QCoreApplication::processEvents();
        const double t0 = threadCpuNs();
        const coilrun::engine::Controls c = controls.read(mouseLook);
        mouseLook.takeReading({c.lookX, c.lookY});
        ns.push_back(threadCpuNs() - t0);
    }
    mouseLook.MouseLookDeactivate();
    return ns;
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;
    std::printf("controls step, CPU time per frame:\n");
    report("simulated platform, in a level", simulatedLevel(frames));
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::printf("  real platform: no display (run under Xvfb)\n");
        return 0;
    }
    QApplication app(argc, argv);
    report("real keyboard, pointer and pad (Qt, SDL)", realPlatform(frames));
    return 0;
}
