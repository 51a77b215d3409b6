// Every level played is recorded, and the record plays again, headless, to the very
// same game: the state and the snake after every handler that ran.
#include "app/headless_replay.h"
#include "engine/platform/virtual_keys.h"
#include "game/replay/run_file.h"
#include "game/replay/state_snapshot.h"
#include "tests/scenario/game/game_driver.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace coilrun::scenario {
namespace {

// The state, field by field, and where every sphere of the snake, its step target
// and the speck stand (bit for bit).
std::string fingerprint(TForm1& form) {
    std::ostringstream out;
    out << replay::describeGameState(form.state());
    const SceneLinks& l = form.links();
    auto place = [&](const char* name, int k, const engine::TGLBaseSceneObject& o) {
        char line[120];
        std::snprintf(line, sizeof line, "%s%d=%a,%a,%a\n", name, k, o.position().x(),
                      o.position().y(), o.position().z());
        out << line;
    };
    for (int k = 0; k < SceneLinks::kSegments; ++k)
        place("snake", k, *l.snake[k]);
    place("jumperball", 0, *l.jumperball);
    place("speck", 0, *l.speck);
    return out.str();
}

// The first line where two fingerprints part.
std::string firstDifference(const std::string& want, const std::string& got) {
    std::istringstream a(want), b(got);
    std::string la, lb;
    while (true) {
        const bool moreA = bool(std::getline(a, la)), moreB = bool(std::getline(b, lb));
        if (!moreA || !moreB)
            return moreA ? "recorded " + la + ", re-played nothing more"
                         : "re-played " + lb + ", recorded nothing more";
        if (la != lb) return "recorded " + la + ", re-played " + lb;
    }
}

struct RecordedRun {
    replay::RunRecord record;
    std::vector<std::string> states; // after each handler of the run
};

// Records every level the game g plays while play() runs, with the state after each
// of its handlers.
std::vector<RecordedRun> record(GameDriver& g, const std::function<void()>& play) {
    std::vector<RecordedRun> runs;
    std::vector<std::string> states;
    replay::RunTap& tap = g.form().runs();
    tap.afterRecordedHandler = [&](std::uint32_t index) {
        states.resize(index);
        states.push_back(fingerprint(g.form()));
    };
    tap.onRunComplete = [&](replay::RunRecord&& r) {
        runs.push_back({std::move(r), std::move(states)});
        states.clear();
    };
    play();
    tap.afterRecordedHandler = nullptr;
    tap.onRunComplete = nullptr;
    return runs;
}

// Re-plays each run from its file and compares the state after every handler.
void expectSameReplay(const std::vector<RecordedRun>& runs) {
    for (const RecordedRun& run : runs) {
        const replay::RunRecord record = replay::readRunFile(replay::writeRunFile(run.record));
        SCOPED_TRACE(replay::summaryLine(record.summary));
        ASSERT_EQ(record.eventCount, run.states.size());
        std::size_t step = 0;
        bool same = true;
        const replay::RunSummary replayed = replayHeadless(record, [&](TForm1& form) {
            if (!same || step >= run.states.size()) return;
            const std::string now = fingerprint(form);
            if (now != run.states[step]) {
                same = false;
                ADD_FAILURE() << "step " << step << " of " << run.states.size() << ": "
                              << firstDifference(run.states[step], now);
            }
            ++step;
        });
        EXPECT_TRUE(same);
        EXPECT_EQ(step, run.states.size());
        EXPECT_EQ(replayed, record.summary);
    }
}

TEST(Replay, RecordedLevelsPlayAgainToTheSameStateAfterEveryStep) {
    GameDriver g;
    // Level 1 won, level 2 won with the rig turned by the mouse and a pause on the
    // way, level 3 lost through the wall.
    const std::vector<RecordedRun> runs = record(g, [&] {
        g.toMainMenu();
        g.startGame();
        ASSERT_TRUE(g.chaseSpecks([&] { return g.won(); }, 120));
        for (int level = 2; level <= 3; ++level) {
            g.run(1);
            g.tap(vk::space);
            ASSERT_TRUE(g.untilControlsLive());
            ASSERT_EQ(g.state().level, level);
            if (level == 2) {
                ASSERT_TRUE(g.chaseSpecks([&] { return g.state().snakeLength == 3; }, 60));
                g.tap(vk::escape, 0.1);
                g.run(1);
                ASSERT_TRUE(g.links().Cadencer4->enabled());
                g.tap(vk::space, 0.1);
                g.run(0.5);
                ASSERT_TRUE(g.chaseSpecks([&] { return g.won(); }, 120));
            } else {
                ASSERT_TRUE(g.leaveTheBox(vk::up));
            }
        }
    });
    ASSERT_EQ(runs.size(), 3u);
    expectSameReplay(runs);
    EXPECT_TRUE(runs[0].record.summary.won);
    EXPECT_EQ(runs[0].record.summary.level, 1);
    EXPECT_GT(runs[0].record.summary.score, 0);
    EXPECT_TRUE(runs[1].record.summary.won);
    EXPECT_FALSE(runs[2].record.summary.won);
    EXPECT_EQ(runs[2].record.summary.level, 3);
}

TEST(Replay, AQuitToTheScoreBrowserAndBackIsPartOfTheRun) {
    GameDriver g;
    g.platform.web.answer = [](const std::string& url) {
        const bool list = url.find("view.php") != std::string::npos;
        return sim::SimPage{sim::SimPage::Outcome::Title, list ? "alice  1234+" : "goback()", 100};
    };
    const std::vector<RecordedRun> runs = record(g, [&] {
        g.toMainMenu();
        g.startGame();
        g.tap(vk::up, 0.3);
        g.run(0.2);
        g.tap(vk::escape);
        g.run(0.2);
        g.click(*g.links().menuPause, 3); // Quit: the browser shows the page, which goes back
        g.run(1);
        ASSERT_TRUE(g.mainWindow().visible);
        g.run(0.3);
        g.tap(vk::space);
        ASSERT_TRUE(g.leaveTheBox(vk::left));
    });
    ASSERT_EQ(runs.size(), 1u);
    expectSameReplay(runs);
}

} // namespace
} // namespace coilrun::scenario
