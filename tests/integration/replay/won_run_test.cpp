// Level 1 won in the real game window, the speck chaser of the scenario tests
// steering with real key events through the X server (the XTest extension), is
// stored in the run folder; that file re-plays headless to the result, score,
// length and clock the game showed. Sent by the score browser after its report to
// the reference server, it makes that score a checked one.
#include "app/headless_replay.h"
#include "app/main_form.h"
#include "app/web_form.h"
#include "engine/platform/virtual_keys.h"
#include "game/level_table.h"
#include "game/occupancy_grid.h"
#include "game/replay/run_file.h"
#include "game/replay/run_library.h"
#include "game/specks.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_platform.h"
#include "tests/integration/replay/x_keys.h"
#include "tests/integration/server/http_client.h"
#include "tests/integration/server/server_process.h"
#include "tests/integration/spin.h"
#include "tests/scenario/game/speck_plan.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace coilrun {
namespace {

using test::spinFor;
using test::spinUntil;

TEST(WonRun, ALevelWonInTheRealGameReplaysToTheScoreItShowed) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "not on X11";
    XKeys keys;
    ASSERT_TRUE(keys.ready()) << "no X display or no XTest library";
    qt::QtPlatform platform;
    engine::CadencerPump pump{platform.clock(), platform.loop()};
    TForm1 form(platform, pump);
    std::optional<std::string> stored;
    form.runs().onRunComplete = [&](replay::RunRecord&& run) {
        stored = replay::storeRun(platform.runFolder(), run);
    };
    form.show();
    ASSERT_TRUE(spinUntil([&] { return form.window().isActive(); }, 5000));
    const SceneLinks& l = form.links();
    GameState& s = form.state();
    ASSERT_TRUE(spinUntil([&] { return l.CadencerMenu->enabled(); }, 20000));
    spinFor(1500); // the menu fades in
    keys.hold(vk::space);
    spinFor(100);
    keys.hold(0);
    ASSERT_TRUE(spinUntil([&] { return s.controlsActive && !s.levelOver; }, 30000));

    // Steer cell by cell toward the speck until the level is over.
    std::string situation, plan;
    const bool over = spinUntil(
        [&] {
            if (s.levelOver || l.DummyScreen->visible()) return true;
            if (!s.controlsActive) return false;
            const auto& p = l.jumperball->position();
            const Cell here = cellAt(p.x(), p.y(), p.z());
            const bool haveSpeck = !speckLifted(l);
            const std::string now = scenario::chaseSituation(s, here, haveSpeck);
            if (now != situation) {
                situation = now;
                plan = scenario::planSpeckStep(s, here, isFlatLevel(s.level), haveSpeck);
            }
            keys.hold(plan.empty() ? 0 : scenario::keyToward(l, plan));
            return false;
        },
        300'000);
    keys.hold(0);
    ASSERT_TRUE(over) << "level 1 did not end in time";
    ASSERT_TRUE(spinUntil([&] { return stored.has_value(); }, 20000)) << "no run was stored";
    ASSERT_EQ(l.stagetext1->text(), "  YOU WIN!") << "the chaser lost level 1";

    // What the level-over screen shows, and what the stored file re-plays to.
    const std::string shownScore = l.stagetextA->text();
    QFile file(QString::fromStdString(platform.runFolder().pathOf(*stored)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << platform.runFolder().pathOf(*stored);
    const QByteArray bytes = file.readAll();
    const replay::RunRecord record =
        replay::readRunFile(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const replay::RunSummary replayed = replayHeadless(record);
    EXPECT_TRUE(replayed.won);
    EXPECT_EQ(replayed.level, 1);
    EXPECT_GT(replayed.score, 0);
    EXPECT_EQ(shownScore, QStringLiteral("Score: %1").arg(replayed.score).toStdString());
    EXPECT_EQ(replayed.length, s.snakeLength);
    EXPECT_EQ(replayed.minutes * 6000 + replayed.seconds * 100 + replayed.hundredths,
              s.clockMinutes * 6000 + s.clockSeconds * 100 + s.clockHundredths);
    EXPECT_EQ(replayed, record.summary) << "the file says what the re-play shows";

    // The score browser reports that score to the reference server and sends the
    // file after it, through the web engine; the server re-plays it and checks it.
    QTemporaryDir serverDir;
    server::testing::ServerProcess scored;
    QString error;
    ASSERT_TRUE(scored.start({"--db", serverDir.filePath("scores.sqlite")},
                             serverDir.filePath("server.log"), &error))
        << error.toStdString();
    qputenv("COILRUN_SCORE_SERVER",
            QStringLiteral("http://127.0.0.1:%1").arg(scored.port()).toUtf8());
    // As on a quit: the game window goes, the score browser comes.
    form.window().hide();
    TFormWeb web(platform);
    web.FormCreate();
    web.window().show();
    web.OnlineCount(replayed.score, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    std::string list;
    const bool checked = spinUntil(
        [&] {
            list = server::testing::httpGet(scored.port(), "/Coilrun/data/view.php").body;
            return list.find("\u2713 checked") != std::string::npos;
        },
        90000);
    qunsetenv("COILRUN_SCORE_SERVER");
    QFile log(serverDir.filePath("server.log"));
    log.open(QIODevice::ReadOnly);
    EXPECT_TRUE(checked) << "the server's log:\n" << log.readAll().toStdString();
    // The mark stands beside the score that was reported.
    const std::string marked = QStringLiteral(">%1 <span").arg(replayed.score).toStdString();
    EXPECT_NE(list.find(marked), std::string::npos);
}

} // namespace
} // namespace coilrun

int main(int argc, char** argv) {
    coilrun::server::testing::ServerProcess::executable() = QStringLiteral(COILRUN_SCORED);
    // Runs go to a throw-away data folder, settings to a throw-away config folder.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    coilrun::qt::setDefaultGlFormat();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    coilrun::qt::QtApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
