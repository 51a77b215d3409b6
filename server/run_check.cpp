#include "server/run_check.h"

#include "app/headless_replay.h"
#include "game/replay/run_events.h"
#include "game/replay/run_file.h"

#include <exception>

namespace coilrun::server {
namespace {

// Throws RunFileError when the run asks for more work than the bounds allow.
void checkWork(const replay::RunRecord& record) {
    if (record.eventCount > kMaxReplayEvents)
        throw replay::RunFileError("more steps than the server re-plays");
    replay::EventReader events(record.events);
    std::uint32_t count = 0;
    double seconds = 0;
    while (!events.atEnd()) {
        const replay::RunEvent e = events.next();
        if (++count > kMaxReplayEvents)
            throw replay::RunFileError("more steps than the server re-plays");
        if (replay::isFrameHandler(e.handler)) seconds += e.deltaTime;
        if (seconds > kMaxReplaySeconds)
            throw replay::RunFileError("a longer run than the server re-plays");
    }
}

} // namespace

CheckedRun replayRunFile(const QByteArray& bytes) {
    CheckedRun checked;
    if (bytes.size() > kMaxRunUploadBytes) {
        checked.error = QStringLiteral("larger than a run file the server takes");
        return checked;
    }
    try {
        const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        const replay::RunRecord record = replay::readRunFile(data);
        checkWork(record);
        // A run starts at a level's set-up: the snake short, the level clock not yet
        // running, the level-over screen not shown; and it ends on that screen. So a
        // score can only come from what the re-play itself plays, whatever the
        // start state and the file's summary claim.
        int played = 0;
        bool setUp = false, over = false;
        const replay::RunSummary summary = replayHeadless(record, [&](TForm1& form) {
            const GameState& s = form.state();
            over = form.links().DummyScreen->visible();
            if (played != 0) return;
            played = s.level;
            setUp = !over && !s.levelOver && s.snakeLength == 2 && s.clockMinutes == 0 &&
                    s.clockSeconds == 0 && s.clockHundredths == 0;
        });
        if (!setUp) throw replay::RunFileError("a start that is not a level's set-up");
        if (played != summary.level)
            throw replay::RunFileError("a level that is not the one played");
        if (!over) throw replay::RunFileError("a run that does not reach its level-over screen");
        checked.summary = summary;
    } catch (const std::exception& e) {
        checked.error = QString::fromUtf8(e.what());
    }
    return checked;
}

} // namespace coilrun::server
