// A run of the real program, played through the X server, is recorded, and
// `coilrun --verify` on the file it wrote tells what the screen showed: level 1,
// lost, the snake's length and the level clock. The clock is read from the HUD
// while the game is paused on the way (it stands still then), so the run's clock
// can be no less than that and not much more.
#include "tests/integration/game/game_fixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

namespace coilrun::integration {
namespace {

class ReplaySession : public GameFixture {
protected:
    QString replays() const {
        return desktop.path("game-home") + "/.local/share/Quorvex/Coilrun/replays";
    }
    // Hundredths of a second in the HUD's clock text ("7:05", "1:07:45").
    static std::optional<int> clockIn(const QString& text) {
        static const QRegularExpression clock("(?:^|\\s)(?:(\\d+):)?(\\d{1,2}):(\\d\\d)(?:\\s|$)");
        auto m = clock.match(text);
        if (!m.hasMatch()) {
            // The colons are thin on the dimmed clock and OCR may drop them: read
            // M SS HH from the digits alone.
            static const QRegularExpression bare("(?:^|\\s)(\\d{0,2}?)(\\d{1,2})(\\d\\d)(?:\\s|$)");
            m = bare.match(text);
            if (!m.hasMatch()) return std::nullopt;
        }
        return (m.captured(1).toInt() * 60 + m.captured(2).toInt()) * 100 + m.captured(3).toInt();
    }
};

TEST_F(ReplaySession, VerifyTellsTheLevelResultLengthAndClockTheScreenShowed) {
    untilRead("menu", {"LEVEL 1", "QUIT"}, 180);
    focus();
    quickTap("space");
    // The HUD's "Press [Esc] to Pause" has faded in once the controls are live.
    untilRead("play", {"to Pause"}, 120);

    // Up, a pause to read the clock, then on until the head leaves the box.
    focus();
    keyDown("Up");
    QThread::msleep(900);
    keyUp("Up");
    tap("Escape");
    // The clock is dimmed under the pause screen's veil: read where it stands, in
    // a lighter threshold of its own, on a screenshot that shows the pause.
    std::optional<int> paused;
    QString read;
    QList<ReadWord> words;
    waitUntil(
        [&] {
            const QImage shot = reader->shoot("paused");
            words = reader->read("paused");
            if (!ScreenReader::contains(words, "Game Paused")) return false;
            const QRect at(shot.width() / 2 - 160, shot.height() - 160, 320, 120);
            const QString crop = reader->pathOf("paused-clock-crop");
            if (!shot.copy(at).save(crop)) return false;
            const QString prepared = reader->pathOf("paused-clock-read");
            // The pause comes a second or two into the level: a read of 10 s or more is
            // OCR's mistake, not the game's clock.
            const QList<QStringList> preparations = {{"-threshold", "20%"},
                                                     {"-auto-level", "-threshold", "50%"},
                                                     {"-threshold", "25%"},
                                                     {"-threshold", "15%"}};
            for (const QStringList& preparation : preparations) {
                tool("convert", QStringList{crop, "-colorspace", "Gray"} + preparation +
                                    QStringList{"-negate", "-resize", "200%", prepared});
                read = tool("tesseract", {prepared, "-", "--psm", "7"}).trimmed();
                paused = clockIn(" " + read + " ");
                if (paused && *paused < 1000) return true;
            }
            paused.reset();
            return false;
        },
        20);
    // OCR cannot read every dimmed clock (its "1" is read as "4", "l" or nothing):
    // without a read, the clock is left unchecked and the rest of the run is not.
    if (paused)
        note(QString("paused at %1 hundredths").arg(*paused));
    else
        note("no clock read on the pause screen (" + read + "): the clock goes unchecked");
    focus();
    tap("space");
    QThread::msleep(500);
    focus();
    keyDown("Up");
    words = untilRead("over", {"GAME OVER", "Continue Game"}, 60, true);
    keyUp("Up");
    // Read now: a speck in the way up may have lengthened the snake after the pause.
    const QString length = caption().section("SnakeLength = ", 1).section(' ', 0, 0);
    note("snake length at the level-over screen: " + length);

    QStringList files;
    waitUntil(
        [&] {
            files = QDir(replays()).entryList({"*.coilrun"}, QDir::Files);
            return !files.isEmpty();
        },
        30);
    ASSERT_FALSE(files.isEmpty()) << "nothing in " << replays().toStdString();
    // The level-over screen's count-down starts the level again after a while: the
    // first run is the one played here.
    files.sort();
    EXPECT_TRUE(files[0].endsWith("-level01-lost.coilrun")) << files[0].toStdString();

    QProcess verify;
    verify.setProcessEnvironment(QProcessEnvironment()); // no display, no sound server
    verify.start(coilrunPath, {"--verify", replays() + "/" + files[0]});
    ASSERT_TRUE(verify.waitForFinished(60000));
    const QString line = QString::fromUtf8(verify.readAllStandardOutput()).trimmed();
    note("--verify: " + line + " " + QString::fromUtf8(verify.readAllStandardError()));
    EXPECT_EQ(verify.exitCode(), 0);
    static const QRegularExpression result(
        "^level=1 result=lost length=(\\d+) clock=(\\d+):(\\d\\d):(\\d\\d) score=0$");
    const auto m = result.match(line);
    ASSERT_TRUE(m.hasMatch()) << line.toStdString();
    EXPECT_EQ(m.captured(1), length) << "the caption's SnakeLength";
    const int clock =
        (m.captured(2).toInt() * 60 + m.captured(3).toInt()) * 100 + m.captured(4).toInt();
    // From the middle row, four cells up at three units a second: under 3 s more. OCR
    // misreads a digit of the dimmed clock now and then ("1:59" or "4:55" for "1:55"),
    // so a read may be up to 3 s off either way.
    if (paused) {
        EXPECT_GE(clock, *paused - 300) << line.toStdString();
        EXPECT_LT(clock, *paused + 600) << line.toStdString();
    }

    // On screen, the run plays again as it was played, the pause included, and the
    // program ends by itself a little after its level-over screen, leaving the
    // settings and the score server alone.
    game.kill();
    game.waitForFinished(30000);
    const QString settingsFolder = desktop.path("game-home") + "/.config";
    auto settingsNow = [&] {
        QString all;
        for (const QFileInfo& f :
             QDir(settingsFolder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot))
            all += f.fileName() + QString::number(f.size()) + f.lastModified().toString() + ";";
        return all;
    };
    const QString settingsBefore = settingsNow();
    const QByteArray serverBefore = serverLog();
    game.start(coilrunPath, {"--replay", replays() + "/" + files[0]});
    words = untilRead("replay-paused", {"Game Paused"}, 90);
    EXPECT_TRUE(ScreenReader::contains(words, "Game Paused"))
        << "the recorded pause did not show; read: " << ScreenReader::allText(words).toStdString();
    EXPECT_TRUE(game.waitForFinished(90000)) << "the re-played run did not end by itself";
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_EQ(settingsNow(), settingsBefore);
    EXPECT_EQ(serverLog(), serverBefore);

    // A damaged copy is refused, by name.
    QFile original(replays() + "/" + files[0]);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QByteArray bytes = original.readAll();
    bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x55);
    const QString damaged = desktop.path("damaged.coilrun");
    QFile copy(damaged);
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(bytes);
    copy.close();
    verify.start(coilrunPath, {"--verify", damaged});
    ASSERT_TRUE(verify.waitForFinished(60000));
    EXPECT_NE(verify.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(verify.readAllStandardError()).trimmed(),
              "coilrun: " + damaged + ": damaged (its checksum does not match)");
    EXPECT_TRUE(verify.readAllStandardOutput().isEmpty());
}

} // namespace
} // namespace coilrun::integration
