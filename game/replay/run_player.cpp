#include "game/replay/run_player.h"

#include "game/replay/state_snapshot.h"
#include "scene/loader/scene_loader.h"

namespace coilrun::replay {

namespace {

engine::TGLCadencer* cadencerOf(const SceneLinks& l, RunHandler h) {
    switch (h) {
    case RunHandler::Cadencer1Progress:
        return l.Cadencer1;
    case RunHandler::Cadencer2Progress:
        return l.Cadencer2;
    case RunHandler::Cadencer3Progress:
        return l.Cadencer3;
    case RunHandler::Cadencer4Progress:
        return l.Cadencer4;
    default:
        return l.CadencerMenu;
    }
}

const std::function<void()>* timerHandlerOf(const SceneLinks& l, RunHandler h) {
    switch (h) {
    case RunHandler::runtimeTimer:
        return &l.runtime->onTimer();
    case RunHandler::tmrmusicTimer:
        return &l.tmrmusic->onTimer();
    case RunHandler::timergametimeTimer:
        return &l.timergametime->onTimer();
    case RunHandler::timerTitleTimer:
        return &l.timerTitle->onTimer();
    case RunHandler::timermudeTimer:
        return &l.timermude->onTimer();
    case RunHandler::timermainmenumusicTimer:
        return &l.timermainmenumusic->onTimer();
    case RunHandler::timerHTTimer:
        return &l.timerHT->onTimer();
    case RunHandler::timercountdownTimer:
        return &l.timercountdown->onTimer();
    case RunHandler::asynctmr1Timer:
        return &l.asynctmr1->onTimer();
    case RunHandler::asynctmrAllTimeTimer:
        return &l.asynctmrAllTime->onTimer();
    case RunHandler::asynctmrTimerMenuTimer:
        return &l.asynctmrTimerMenu->onTimer();
    case RunHandler::asynctmrTimerMenu1Timer:
        return &l.asynctmrTimerMenu1->onTimer();
    case RunHandler::asynctmrtimerzoomTimer:
        return &l.asynctmrtimerzoom->onTimer();
    default:
        return nullptr;
    }
}

} // namespace

RunPlayer::RunPlayer(Game& game, const scene::LoadedScene& scene, RunTap& tap,
                     const RunRecord& record)
    : game_(game), tap_(tap), record_(record), events_(record.events) {
    tap_.replaying = true;
    const SceneLinks& l = game.links;
    // Only the recorded steps move the game now.
    for (engine::TGLCadencer* c :
         {l.Cadencer1, l.Cadencer2, l.Cadencer3, l.Cadencer4, l.CadencerMenu})
        c->setMode(engine::TGLCadencerMode::cmManual);
    ByteReader start(record.startState, "start of the run");
    readGameState(start, game.state);
    readScene(start, scene);
    const std::uint8_t panel = start.u8();
    if (!start.atEnd()) start.fail("data after the end");
    if (game.state.diceSeed != record.diceSeed) start.fail("a seed that is not the run's");
    // A level is only ever played after the menu has shown the viewer.
    game.services.viewerSurface.show();
    panel ? game.services.blackPanel.show() : game.services.blackPanel.hide();
    game.services.viewer.setCamera(l.Camera);
}

bool RunPlayer::step() {
    if (events_.atEnd()) return false;
    last_ = events_.next();
    const RunEvent& e = last_;
    const SceneLinks& l = game_.links;
    struct Dispatching {
        RunTap& tap;
        explicit Dispatching(RunTap& t) : tap(t) { tap.dispatching = true; }
        ~Dispatching() { tap.dispatching = false; }
    } dispatching(tap_);
    if (isFrameHandler(e.handler)) {
        game_.replayInput = FrameInput{e.controls, e.windowActive};
        cadencerOf(l, e.handler)->replayStep(e.deltaTime);
        game_.replayInput.reset();
    } else if (const std::function<void()>* handler = timerHandlerOf(l, e.handler)) {
        if (*handler) (*handler)();
    } else if (e.handler == RunHandler::glscnvwr1MouseMove) {
        if (game_.services.viewer.onMouseMove) game_.services.viewer.onMouseMove(e.x, e.y);
        l.menuPause->setSelected(e.pauseSelected);
        l.menuLevel->setSelected(e.levelSelected);
    } else if (e.handler == RunHandler::glscnvwr1MouseDown) {
        l.menuPause->setSelected(e.pauseSelected);
        l.menuLevel->setSelected(e.levelSelected);
        if (game_.services.viewer.onMouseDown)
            game_.services.viewer.onMouseDown(e.button, e.x, e.y);
    } else if (e.handler == RunHandler::scoreBrowserGoBack) {
        l.asynctmrAllTime->setEnabled(true);
    }
    return true;
}

RunSummary RunPlayer::summary() const {
    const GameState& s = game_.state;
    RunSummary r;
    r.level = record_.summary.level;
    r.won = s.snakeLength >= s.targetLength;
    r.length = s.snakeLength;
    r.minutes = s.clockMinutes;
    r.seconds = s.clockSeconds;
    r.hundredths = s.clockHundredths;
    r.score = r.won ? s.score : 0;
    return r;
}

} // namespace coilrun::replay
