// CPU time of two things the menu scene does for the player, without drawing:
//  - the title logo's step, from the authored scene's first frame through the
//    drawing of the five chains and on, once it stands finished;
//  - the pointer's selection: one pointer move tested against every menu (the
//    main menu, the level list, the overlays, the pause and result menus), swept
//    over the whole screen, on the main menu and in a paused level.
// The whole program runs on the simulated platform; each call is timed on the
// thread's CPU clock.
//   build/bench_menu_input [frames]        (default 4000 logo frames)
#include "bench/bench_clocks.h"
#include "engine/platform/virtual_keys.h"
#include "frontend/pointer_actions.h"
#include "frontend/title_logo.h"
#include "tests/scenario/game/game_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using coilrun::bench::percentile;
using coilrun::bench::threadCpuNs;

using coilrun::scenario::GameDriver;

void report(const char* what, const std::vector<double>& ns) {
    std::printf("  %-44s median %7.2f us, 99th percentile %7.2f us, max %7.2f us (%zu calls)\n",
                what, percentile(ns, 0.5) / 1000, percentile(ns, 0.99) / 1000,
                percentile(ns, 1.0) / 1000, ns.size());
}

// Times one pointer move at every 8th pixel of the screen.
std::vector<double> sweepPointer(GameDriver& g) {
    g.layoutMenus();
    coilrun::Game& game = g.form().game();
    std::vector<double> ns;
    for (int y = 0; y < g.platform.screenImpl.height(); y += 8)
        for (int x = 0; x < g.platform.screenImpl.width(); x += 8) {
            const double t0 = threadCpuNs();
            coilrun::glscnvwr1MouseMove(game, x, y);
            ns.push_back(threadCpuNs() - t0);
        }
    return ns;
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(100, std::atoi(argv[1])) : 4000;

    // The logo from the scene's first frame: the loop stands still and the steps
    // are called by hand, as the menu frame calls them once the camera is out.
    std::vector<double> drawing, finished;
    {
        GameDriver g;
        coilrun::Game& game = g.form().game();
        const auto& heads = g.links().logoHead;
        auto snapshot = [&] {
            std::vector<float> v;
            for (const auto* head : heads)
                if (head) v.insert(v.end(), {head->position().x(), head->position().y()});
            return v;
        };
        std::vector<float> last = snapshot();
        int still = 0;
        for (int i = 0; i < frames; ++i) {
            const double t0 = threadCpuNs();
            coilrun::logoStep(game);
            const double ns = threadCpuNs() - t0;
            const std::vector<float> now = snapshot();
            still = now == last ? still + 1 : 0;
            last = now;
            (still > 0 ? finished : drawing).push_back(ns);
        }
    }

    // The pointer over the main menu, and over the pause menu of a level.
    GameDriver g;
    g.toMainMenu();
    const std::vector<double> onMainMenu = sweepPointer(g);
    g.startGame();
    g.run(1);
    g.tap(coilrun::vk::escape);
    g.run(0.05);
    const bool paused = g.links().Cadencer4->enabled();
    const std::vector<double> onPauseMenu = sweepPointer(g);

    std::printf("Title logo step (logoStep), %d frames from the scene's first\n", frames);
    report("frames where a chain head moves", drawing);
    report("frames after the heads stand still", finished);
    std::printf("Pointer selection (glscnvwr1MouseMove over every menu), a move every 8 px\n");
    report("on the main menu", onMainMenu);
    report(paused ? "in a paused level" : "in a level (the pause did not come)", onPauseMenu);
    return 0;
}
