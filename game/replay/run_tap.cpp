#include "game/replay/run_tap.h"

#include "game/replay/state_snapshot.h"

namespace coilrun::replay {

void RunTap::frameStarts(RunHandler handler, double deltaTime) {
    if (!recording_) return;
    RunEvent e;
    e.handler = handler;
    e.deltaTime = deltaTime;
    e.controls = game_.controls;
    e.windowActive = game_.windowActive;
    recording_->events.write(e);
}

void RunTap::timerStarts(RunHandler handler) {
    if (!recording_) return;
    RunEvent e;
    e.handler = handler;
    recording_->events.write(e);
}

void RunTap::pointerHandled(RunHandler handler, int button, int x, int y) {
    if (!recording_) return;
    RunEvent e;
    e.handler = handler;
    e.button = button, e.x = x, e.y = y;
    e.pauseSelected = game_.links.menuPause->selected();
    e.levelSelected = game_.links.menuLevel->selected();
    recording_->events.write(e);
}

void RunTap::scoreBrowserGaveBack() {
    if (depth_ > 0) {
        goBackPending_ = true;
        return;
    }
    timerStarts(RunHandler::scoreBrowserGoBack);
    if (recording_ && afterRecordedHandler) afterRecordedHandler(recording_->events.count - 1);
}

void RunTap::levelSetUp() {
    if (replaying) return;
    recording_.reset();
    pending_ = true;
}

void RunTap::begin() {
    pending_ = false;
    recording_.emplace();
    RunRecord& r = recording_->record;
    const GameState& s = game_.state;
    r.summary.level = s.level;
    r.diceSeed = s.diceSeed;
    r.screenWidth = game_.services.screen.width();
    r.screenHeight = game_.services.screen.height();
    ByteWriter start;
    writeGameState(start, s);
    writeScene(start, scene_);
    start.u8(game_.services.blackPanel.isVisible() ? 1 : 0);
    r.startState = std::move(start.bytes);
}

void RunTap::handlerEnded(RunHandler handler) {
    if (depth_ > 0) --depth_;
    if (replaying) return;
    if (depth_ == 0 && goBackPending_) {
        goBackPending_ = false;
        endHandler(handler);
        scoreBrowserGaveBack();
        return;
    }
    endHandler(handler);
}

void RunTap::endHandler(RunHandler handler) {
    if (pending_) {
        begin();
        return;
    }
    if (!recording_) return;
    if (afterRecordedHandler) afterRecordedHandler(recording_->events.count - 1);
    if (handler != RunHandler::Cadencer1Progress) return;
    if (!game_.links.DummyScreen->visible()) return;
    const GameState& s = game_.state;
    RunRecord r = std::move(recording_->record);
    r.summary.won = s.snakeLength >= s.targetLength;
    r.summary.length = s.snakeLength;
    r.summary.minutes = s.clockMinutes;
    r.summary.seconds = s.clockSeconds;
    r.summary.hundredths = s.clockHundredths;
    r.summary.score = r.summary.won ? s.score : 0;
    r.events = std::move(recording_->events.out.bytes);
    r.eventCount = recording_->events.count;
    recording_.reset();
    if (onRunComplete) onRunComplete(std::move(r));
}

} // namespace coilrun::replay
