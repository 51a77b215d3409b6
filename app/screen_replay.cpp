#include "app/screen_replay.h"

#include "engine/platform/virtual_keys.h"

namespace coilrun {

namespace {

// The layout tick runs every 10 ms whatever screen is up: the run's own clock.
constexpr double kLayoutTick = 0.01;
constexpr double kLevelOverShown = 3.0;

} // namespace

ScreenReplay::ScreenReplay(platform::Platform& platform, replay::RunRecord record)
    : platform_(platform), pump_(platform.clock(), platform.loop()), record_(std::move(record)) {
    form_ = std::make_unique<TForm1>(platform, pump_, &settings_);
    player_ = std::make_unique<replay::RunPlayer>(form_->game(), form_->objects(), form_->runs(),
                                                  record_);
    form_->show();
    start_ = platform.clock().seconds();
    timer_ = platform.loop().startTimer(5, [this] { tick(); });
}

ScreenReplay::~ScreenReplay() {
    if (timer_) platform_.loop().killTimer(timer_);
}

void ScreenReplay::tick() {
    if (ended_) return;
    platform::Keyboard& keys = platform_.keyboard();
    keys.beginPoll();
    if (keys.isVirtualKeyDown(vk::escape)) return end();

    const double now = platform_.clock().seconds() - start_;
    if (!player_->finished()) {
        // As many recorded handlers as the time that has passed holds. The frames
        // tell the time (their steps are game time); where no frame runs, the layout
        // tick does, and a stretch with neither goes on at once, a bounded number of
        // handlers at a time.
        for (int budget = 5000; budget > 0 && played_ <= now && player_->step(); --budget) {
            const replay::RunEvent& e = player_->lastEvent();
            if (replay::isFrameHandler(e.handler)) {
                played_ += e.deltaTime;
                framesSinceTick_ = true;
            } else if (e.handler == replay::RunHandler::asynctmrAllTimeTimer) {
                if (!framesSinceTick_) played_ += kLayoutTick;
                framesSinceTick_ = false;
            }
        }
        if (player_->finished()) finishedAt_ = now;
        return;
    }
    // The level-over screen goes on, with nobody at the controls.
    Game& game = form_->game();
    engine::TGLCadencer& frames = *game.links.Cadencer1;
    form_->runs().dispatching = true;
    while (played_ <= now) {
        game.replayInput = FrameInput{{}, true};
        frames.replayStep(kLayoutTick);
        played_ += kLayoutTick;
    }
    game.replayInput.reset();
    form_->runs().dispatching = false;
    if (now - finishedAt_ >= kLevelOverShown) end();
}

void ScreenReplay::end() {
    ended_ = true;
    platform_.loop().killTimer(timer_);
    timer_ = 0;
    platform_.loop().quit();
}

} // namespace coilrun
