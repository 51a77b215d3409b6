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
        // A level's play starts from a short snake and a level clock at zero (the
        // intro holds them there), and a run ends on the level-over screen. Both
        // must happen in the re-play, so that a score comes from what it plays,
        // whatever the start state and the file's summary claim.
        int played = 0;
        bool setUp = false, over = false;
        const replay::RunSummary summary = replayHeadless(record, [&](TForm1& form) {
            const GameState& s = form.state();
            if (played == 0) played = s.level;
            over = form.links().DummyScreen->visible();
            if (!over && !s.levelOver && s.snakeLength == 2 && s.clockMinutes == 0 &&
                s.clockSeconds == 0 && s.clockHundredths == 0)
                setUp = true;
        });
        if (!setUp) throw replay::RunFileError("no start of play from a level's set-up");
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
