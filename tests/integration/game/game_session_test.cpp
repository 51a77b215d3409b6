// The real program as a player meets it on a 1280 x 800 screen: the game window
// over the whole screen, the main menu and its music, level 1 started with Space,
// the snake steered with the arrow keys and out of the box, the level-over screen,
// and the pause menu of the next attempt. Keys are tapped as a finger taps them,
// and also pressed and let go at once, as a remote desktop sends them. Its score
// server is the reference one.
//
// Everything is seen from outside, as a player would; no step is timed.
#include "tests/integration/game/game_fixture.h"

#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <cmath>

namespace coilrun::integration {
namespace {

// The part of the screen the game's picture covers: the whole window, or the fixed
// view in its top-left corner with the window's plain background round it.
QRect pictureIn(const QImage& shot, const QRect& window) {
    const int w = kFixedView.width() + 8, h = kFixedView.height() + 8;
    const QRect right(window.left() + w, window.top(), window.width() - w, window.height());
    const QRect below(window.left(), window.top() + h, w, window.height() - h);
    const QRgb ground = shot.pixel(window.bottomRight());
    int plain = 0, all = 0;
    for (const QRect& r : {right, below})
        for (int y = r.top(); y <= r.bottom(); y += 4)
            for (int x = r.left(); x <= r.right(); x += 4) {
                if (!shot.rect().contains(x, y)) continue;
                ++all;
                plain += shot.pixel(x, y) == ground;
            }
    if (all > 0 && plain > all * 0.99) return QRect(window.topLeft(), kFixedView);
    return window;
}

// Lit, coloured pixels: the snake and the stage are coloured, lettering is grey and
// the ground mostly dark.
bool coloured(QRgb p) {
    const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
    const int lo = std::min({qRed(p), qGreen(p), qBlue(p)});
    return hi > 70 && hi - lo > 50;
}

// How many pixels in r are coloured in `now` and clearly different in `before`:
// what a coloured thing moving in has changed, and not a grey text fading out.
int newlyColoured(const QImage& before, const QImage& now, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb a = before.pixel(x, y), b = now.pixel(x, y);
            const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b));
            n += d > 90 && coloured(b);
        }
    return n;
}

int areaOf(const QRect& r) {
    return r.width() * r.height();
}

class GameSession : public GameFixture {
protected:
    // The caption's "light = N", or nullopt when the caption has no such field.
    std::optional<int> captionLight(const QString& text) {
        static const QRegularExpression light("light = (-?\\d+)");
        const auto m = light.match(text);
        return m.hasMatch() ? std::optional<int>(m.captured(1).toInt()) : std::nullopt;
    }
    // Waits until the caption, updated once a second, has read "light = 7" three
    // times running: the value the stage's light settles at, with the head in the
    // middle, once a level's light intro is over (the intro reads far higher, and a
    // single reading of 7 can come just before it).
    bool untilLightSettles(double seconds) {
        QString last;
        int sevens = 0;
        return waitUntil(
            [&] {
                const QString now = caption();
                if (now == last) return false;
                last = now;
                sevens = captionLight(now) == 7 ? sevens + 1 : 0;
                return sevens >= 3;
            },
            seconds, 200);
    }
};

TEST_F(GameSession, MenuLevelOneCrashAndPauseAsAPlayerSeesThem) {
    // The main menu fades in over the menu scene.
    const QStringList mainMenu{"LEVEL 1", "CHOOSE LEVEL", "HIGH SCORE", "CREDITS", "QUIT"};
    QList<ReadWord> words = untilRead("menu", mainMenu, 180);
    for (const QString& phrase : mainMenu)
        EXPECT_TRUE(ScreenReader::contains(words, phrase))
            << "\"" << phrase.toStdString()
            << "\" on the main menu; read: " << ScreenReader::allText(words).toStdString();

    // By now the game window has put itself over the whole screen, borderless and on top.
    const auto window = mainWindow();
    ASSERT_TRUE(window) << "no game window is mapped";
    EXPECT_EQ(window->geometry, QRect(QPoint(0, 0), kScreen));
    const QString hints = tool("xprop", {"-id", window->id, "_MOTIF_WM_HINTS", "_NET_WM_STATE"});
    // _MOTIF_WM_HINTS: flags, functions, decorations, ...; decorations 0 is no border.
    static const QRegularExpression motif("_MOTIF_WM_HINTS\\S* = (0x[0-9a-f]+), (0x[0-9a-f]+), "
                                          "(0x[0-9a-f]+)");
    const auto m = motif.match(hints);
    ASSERT_TRUE(m.hasMatch()) << "no window decoration hints: " << hints.toStdString();
    EXPECT_TRUE(m.captured(1).toUInt(nullptr, 16) & 2) << "the hints do not set decorations";
    EXPECT_EQ(m.captured(3).toUInt(nullptr, 16), 0u) << "decorations asked for";
    EXPECT_TRUE(hints.contains("_NET_WM_STATE_ABOVE")) << hints.toStdString();

    // The menu music reaches the sound server (it may be between two plays: listen
    // a few times before calling it silent).
    double rms = -1;
    waitUntil([&] { return (rms = recordedRms(4)) > 0.003; }, 30, 0);
    note(QString("menu music at the sink: RMS amplitude %1").arg(rms));
    EXPECT_GT(rms, 0.003) << "the menu music did not reach the null sink (RMS amplitude " << rms
                          << ")";

    // Space, pressed and let go between two frames, starts level 1; once its light
    // intro is over the caption's status line reads the stage light at 7.
    focus();
    quickTap("space");
    const bool menuGone = waitUntil(
        [&] {
            words = reader->shootAndRead("menu");
            return std::none_of(mainMenu.begin(), mainMenu.end(),
                                [&](const QString& p) { return ScreenReader::contains(words, p); });
        },
        30, 300);
    ASSERT_TRUE(menuGone) << "a quick Space did not start the game; read: "
                          << ScreenReader::allText(words).toStdString();
    untilLightSettles(120);
    note("caption in level 1: " + caption());
    ASSERT_EQ(captionLight(caption()), 7) << "caption: " << caption().toStdString();
    EXPECT_TRUE(caption().contains("SnakeLength = 2")) << caption().toStdString();

    // The right arrow key moves the snake right. Its head starts in the middle of the
    // picture; wait for the camera's opening zoom to come to rest first.
    const QRect picture = pictureIn(reader->shoot("play"), window->geometry);
    note(QString("the picture covers %1 x %2 at (%3, %4)")
             .arg(picture.width())
             .arg(picture.height())
             .arg(picture.left())
             .arg(picture.top()));
    // Strips through the middle of the picture, where the head starts: one ahead of
    // it to the right, one behind it, and both with the head between them.
    const int cx = picture.center().x(), cy = picture.center().y();
    const int w = picture.width(), h = picture.height();
    const QRect ahead(cx + w * 3 / 100, cy - h * 8 / 100, w * 17 / 100, h * 16 / 100);
    const QRect behind(cx - w * 20 / 100, cy - h * 8 / 100, w * 17 / 100, h * 16 / 100);
    const QRect middle = ahead.united(behind);
    // First the camera's opening zoom comes to rest: two screenshots alike there.
    QImage before;
    int noise = 0;
    const bool still = waitUntil(
        [&] {
            const QImage a = reader->shoot("play");
            QThread::msleep(700);
            before = reader->shoot("play");
            noise = newlyColoured(a, before, ahead);
            return !a.isNull() && !before.isNull() &&
                   newlyColoured(a, before, middle) < areaOf(middle) / 100;
        },
        90, 0);
    ASSERT_TRUE(still) << "the picture never came to rest after the level began";
    focus();
    keyDown("Right");
    // Gliding right, the head brings its colour into the strip ahead; behind it
    // little changes (a whole new picture, as the level-over screen, changes both).
    // Looked at without saving every picture: the snake is out of the box in a few
    // seconds.
    QImage moving;
    int gained = 0, lost = 0;
    const bool moved = waitUntil(
        [&] {
            moving = desktop.screenshot();
            if (moving.isNull()) return false;
            gained = newlyColoured(before, moving, ahead);
            lost = newlyColoured(before, moving, behind);
            return gained > std::max(areaOf(ahead) * 3 / 100, 3 * noise) &&
                   lost < areaOf(behind) / 4;
        },
        30, 20);
    moving.save(reader->pathOf("moving"));
    note(QString("after Right: %1 pixels newly coloured ahead of the head, %2 behind it "
                 "(%3 at rest)")
             .arg(gained)
             .arg(lost)
             .arg(noise));
    EXPECT_TRUE(moved) << "the snake was not seen moving right";

    // Held on, the head leaves the box and the level-over screen follows.
    words = untilRead("over", {"GAME OVER", "Continue Game"}, 90, true);
    keyUp("Right");
    EXPECT_TRUE(ScreenReader::contains(words, "GAME OVER") ||
                ScreenReader::contains(words, "Continue Game"))
        << "no level-over screen; read: " << ScreenReader::allText(words).toStdString();

    // Space plays the level again.
    focus();
    tap("space");
    untilLightSettles(120);
    ASSERT_EQ(captionLight(caption()), 7) << "caption: " << caption().toStdString();

    // With the focus on it the game plays on: nothing pauses it unasked.
    QThread::msleep(1500);
    words = reader->shootAndRead("playing");
    EXPECT_FALSE(ScreenReader::contains(words, "Game Paused"))
        << "paused without Escape (the game pauses when its window loses the focus)";

    // A quick Escape pauses: "Game Paused" over the pause menu. Level 1 is the highest
    // level reached, so the third line, "Skip Level", is left empty.
    const QStringList pauseMenu{"Game Paused", "Resume", "Restart", "Quit"};
    focus();
    quickTap("Escape");
    words = untilRead("paused", pauseMenu, 30);
    for (const QString& phrase : pauseMenu)
        EXPECT_TRUE(ScreenReader::contains(words, phrase))
            << "\"" << phrase.toStdString()
            << "\" on the pause screen; read: " << ScreenReader::allText(words).toStdString();
    EXPECT_FALSE(ScreenReader::contains(words, "Skip Level"));
    auto topOf = [&](const QString& word) {
        for (const ReadWord& w : words)
            if (w.text.compare(word, Qt::CaseInsensitive) == 0) return w.box.top();
        return -1;
    };
    const int resume = topOf("Resume"), restart = topOf("Restart"), quit = topOf("Quit");
    if (resume >= 0 && restart > resume && quit > restart) {
        const double gap = double(quit - restart) / (restart - resume);
        EXPECT_NEAR(gap, 2.0, 0.4) << "an empty line between Restart and Quit";
    }

    // A quick Space resumes: the pause text goes.
    QThread::msleep(400); // past the game's debounce of its last toggle
    focus();
    quickTap("space");
    const bool resumed = waitUntil(
        [&] {
            words = reader->shootAndRead("resumed");
            return !ScreenReader::contains(words, "Game Paused") &&
                   !ScreenReader::contains(words, "Resume");
        },
        20, 300);
    EXPECT_TRUE(resumed) << "still paused; read: " << ScreenReader::allText(words).toStdString();

    // The score list the splash showed came from the score server.
    EXPECT_TRUE(serverLog().contains("GET /Coilrun/data/view.php 200"))
        << "the score server was never asked for its list";
    EXPECT_EQ(game.state(), QProcess::Running) << "the game ended during the session";
}

} // namespace
} // namespace coilrun::integration
