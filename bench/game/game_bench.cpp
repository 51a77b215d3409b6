// CPU time of one game frame, without drawing: Cadencer1Progress with a snake of
// 38 spheres (the head and 37 body spheres, the longest a level above 10 lets it
// grow before it is won) gliding round a closed course in the cube's inner cells.
// The whole program runs on the simulated platform; the frames are called one by
// one and each is timed on the thread's CPU clock.
//   build/bench_game [frames]        (default 20000)
#include "bench/bench_clocks.h"
#include "engine/platform/virtual_keys.h"
#include "game/frame_driver.h"
#include "game/steering.h"
#include "tests/scenario/game/game_driver.h"
#include "tests/scenario/game/snake_course.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using coilrun::bench::percentile;
using coilrun::bench::threadCpuNs;

using coilrun::Cell;
using coilrun::scenario::GameDriver;

constexpr int kStoredLevel = 11;
constexpr int kBodyLength = 37; // snakeLength: body spheres behind the head
constexpr double kFrame = 0.01; // Cadencer1's fixed step

int fail(const char* why) {
    std::fprintf(stderr, "bench_game: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;

    GameDriver g(kStoredLevel);
    g.toMainMenu();
    g.startGame();
    coilrun::GameState& s = g.state();
    const coilrun::SceneLinks& l = g.links();
    if (s.level != kStoredLevel || !s.controlsActive) return fail("level 11 did not start");
    // Past the third second the music has settled and nothing is started per frame.
    g.run(4);

    // From here the frames are called by hand: the loop (and its timers) stands still.
    // The speck waits off the course, where the snake never eats it (eating one
    // more would win the level), and the snake is given its long body at once; it
    // lays itself out along the course in its first 38 steps.
    s.speckCell = {2, 0, 0};
    s.eatenCell = {0, 0, 0};
    l.speck->setPosition(4, 0, 0);
    s.snakeLength = kBodyLength;
    s.lastStepLength = kBodyLength;

    const std::vector<Cell> cycle = coilrun::scenario::innerCourse();
    auto steerAlongCourse = [&] {
        if (s.stepping) return;
        const Cell here = g.headingCell();
        const auto at = std::find(cycle.begin(), cycle.end(), here);
        if (at == cycle.end()) return;
        const Cell next = cycle[std::size_t(at - cycle.begin() + 1) % cycle.size()];
        s.requestedDirection = coilrun::scenario::directionBetween(here, next);
    };
    coilrun::Game& game = g.form().game();
    int steps = 0;
    for (int i = 0; i < 60 * 40 && steps < 45; ++i) {
        const bool wasStepping = s.stepping;
        steerAlongCourse();
        coilrun::Cadencer1Progress(game, kFrame);
        steps += wasStepping && !s.stepping;
    }
    if (s.levelOver || steps < 45) return fail("the snake did not lay itself out on the course");

    // The clock's own cost, to read the figures against.
    std::vector<double> empty(10000);
    for (double& e : empty) {
        const double t0 = threadCpuNs();
        e = threadCpuNs() - t0;
    }

    std::vector<double> all, stepFrames, glideFrames;
    all.reserve(std::size_t(frames));
    for (int i = 0; i < frames; ++i) {
        steerAlongCourse();
        const bool startsStep = !s.stepping;
        const double t0 = threadCpuNs();
        coilrun::Cadencer1Progress(game, kFrame);
        const double ns = threadCpuNs() - t0;
        all.push_back(ns);
        (startsStep ? stepFrames : glideFrames).push_back(ns);
        steps += startsStep;
    }
    // The same frames again timed as one run: their mean without the clock's cost.
    const double runStart = threadCpuNs();
    for (int i = 0; i < frames; ++i) {
        steerAlongCourse();
        coilrun::Cadencer1Progress(game, kFrame);
    }
    const double runMean = (threadCpuNs() - runStart) / frames;
    if (s.levelOver) return fail("the level ended while measuring");
    int shown = 0;
    for (const auto* sphere : l.snake)
        shown += sphere->visible();

    std::printf("Cadencer1Progress, level %d, %d spheres shown (snakeLength %d), %d frames "
                "of %.0f ms, %zu of them starting a step\n",
                s.level, shown, s.snakeLength, frames, kFrame * 1000, stepFrames.size());
    std::printf("  thread CPU time per frame: median %.2f us, 99th percentile %.2f us, "
                "max %.2f us\n",
                percentile(all, 0.5) / 1000, percentile(all, 0.99) / 1000,
                percentile(all, 1.0) / 1000);
    std::printf("  frames that glide: median %.2f us; frames that start a step: median "
                "%.2f us\n",
                percentile(glideFrames, 0.5) / 1000, percentile(stepFrames, 0.5) / 1000);
    std::printf("  (reading the thread CPU clock twice costs %.2f us, included above)\n",
                percentile(empty, 0.5) / 1000);
    std::printf("  mean per frame of a run of %d frames timed as a whole: %.2f us "
                "(steering included)\n",
                frames, runMean / 1000);
    std::printf("  target: median <= 5 us: %s\n", percentile(all, 0.5) <= 5000 ? "met" : "missed");
    return 0;
}
