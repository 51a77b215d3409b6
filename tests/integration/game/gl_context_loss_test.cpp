// The real program losing the GL context of its game view, as a move to another GPU or
// a driver reset makes it: every display list, texture, glyph texture and glyph set is
// made again and the picture is the one before, in the menu scene (the title logo, the
// extruded "3D", the menus) and on the pause screen of level 1 (the stage, the HUD texts,
// the pause menu).
//
// The game is started with COILRUN_GL_LOSS_SIGNAL, so that SIGUSR1 makes it draw a frame,
// stop, lose the context, draw the same moment in a new one and stop again: nothing moves
// on between the two pictures, so they can be compared pixel by pixel.
#include "tests/integration/game/game_fixture.h"

#include <QFile>
#include <algorithm>
#include <csignal>
#include <set>

namespace coilrun::integration {
namespace {

bool stopped(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    // "pid (name) state ...": the name may hold spaces, the state follows its ')'.
    const QByteArray s = stat.readAll();
    const int close = s.lastIndexOf(')');
    return close > 0 && close + 2 < s.size() && s[close + 2] == 'T';
}

// Pixels whose colour differs by more than a rounding's worth in any channel.
int differingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            n += std::abs(qRed(p) - qRed(q)) > 2 || std::abs(qGreen(p) - qGreen(q)) > 2 ||
                 std::abs(qBlue(p) - qBlue(q)) > 2;
        }
    return n;
}

class GlContextLoss : public GameFixture {
protected:
    void SetUp() override {
        shotFolder = "integration_gl_loss_shots";
        // The game's environment is made from this process's.
        qputenv("COILRUN_GL_LOSS_SIGNAL", "1");
        GameFixture::SetUp();
    }

    // The picture before the loss and the one after, or empty ones when the game did
    // not stop for them.
    std::pair<QImage, QImage> loseTheContext(const QString& name) {
        const qint64 pid = game.processId();
        std::pair<QImage, QImage> shots;
        ::kill(pid_t(pid), SIGUSR1);
        for (QImage* shot : {&shots.first, &shots.second}) {
            if (!waitUntil([&] { return stopped(pid); }, 30, 20)) break;
            *shot = desktop.screenshot();
            ::kill(pid_t(pid), SIGCONT);
        }
        shots.first.save(reader->pathOf(name + "-before"));
        shots.second.save(reader->pathOf(name + "-after"));
        return shots;
    }

    void expectTheSamePicture(const QString& name) {
        const auto [before, after] = loseTheContext(name);
        ASSERT_FALSE(before.isNull() || after.isNull()) << "the game did not stop for a look";
        ASSERT_EQ(before.size(), after.size());
        // A real picture, not a cleared screen: many colours.
        std::set<QRgb> colours;
        for (int y = 0; y < before.height(); y += 7)
            for (int x = 0; x < before.width(); x += 7)
                colours.insert(before.pixel(x, y));
        EXPECT_GT(colours.size(), 200u) << name.toStdString();
        const int differing = differingPixels(before, after);
        note(QString("%1: %2 of %3 pixels differ after the context was lost")
                 .arg(name)
                 .arg(differing)
                 .arg(before.width() * before.height()));
        EXPECT_LE(differing, before.width() * before.height() / 2000) << name.toStdString();
    }
};

TEST_F(GlContextLoss, MenuSceneAndPauseScreenLookTheSameAfterwards) {
    const QStringList mainMenu{"CHOOSE LEVEL", "HIGH SCORE", "CREDITS", "QUIT"};
    QList<ReadWord> words = untilRead("menu", mainMenu, 180);
    ASSERT_TRUE(ScreenReader::contains(words, "QUIT"))
        << "no main menu; read: " << ScreenReader::allText(words).toStdString();
    expectTheSamePicture("menu");
    // Twice: the new context is lost as well as the first one was.
    expectTheSamePicture("menu-again");

    // Level 1 paused: the stage and its HUD under "Game Paused" and the pause menu.
    ASSERT_TRUE(tapUntilGone("space", "menu", mainMenu, 3)) << "level 1 did not start";
    const QStringList pauseMenu{"Game Paused", "Resume", "Restart"};
    for (int attempt = 0; attempt < 6; ++attempt) {
        idle(2000);
        focus();
        tap("Escape");
        words = untilRead("paused", pauseMenu, 20);
        if (ScreenReader::contains(words, "Game Paused")) break;
    }
    ASSERT_TRUE(ScreenReader::contains(words, "Resume"))
        << "no pause screen; read: " << ScreenReader::allText(words).toStdString();
    expectTheSamePicture("pause");

    // And the game plays on: Space resumes.
    EXPECT_TRUE(tapUntilGone("space", "resumed", {"Game Paused"}, 2)) << "still paused";
    EXPECT_EQ(game.state(), QProcess::Running);
}

} // namespace
} // namespace coilrun::integration
