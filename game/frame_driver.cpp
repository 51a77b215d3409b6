#include "game/frame_driver.h"

#include "game/hud.h"
#include "game/level_over_screen.h"
#include "game/level_table.h"
#include "game/pause_screen.h"
#include "game/play_frame.h"
#include "game/sound_selection.h"
#include "game/specks.h"
#include "game/stage_presentation.h"

namespace coilrun {

void Cadencer1Progress(Game& game, double dt) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    const engine::Controls& c = game.controls;
    engine::TGLUserInterface& mouseLook = *l.GLUserInterface1;

    if (s.controlsActive && !s.levelOver) {
        mouseLook.MouseLookActivate();
        mouseLook.MouseLook();
        lookWithStick(game, dt);
    }

    // Escape pauses; on a result screen it ends the program. Losing the focus pauses
    // too. Neither while the last toggle is being debounced.
    const bool hudShown = alphaOf(*l.TextPause1) > 0.5f;
    if ((c.down(engine::Key::Escape) || c.has(engine::PadSignal::Cancel)) && hudShown) {
        if (s.levelOver) {
            game.services.endProgram();
            return;
        }
        if (!l.timermude->enabled()) pauseGame(game);
    }
    if (!game.windowActive && hudShown && !s.levelOver && !l.timermude->enabled()) pauseGame(game);

    l.Camera->setSceneScale(float(game.services.mainWindow.geometry().height / 700.0));
    turnCameraRig(game, dt);

    const LevelParameters level = levelParameters(s.level);
    s.targetLength = level.targetLength;
    s.snakeSpeed = level.snakeSpeed;
    s.fullCube = level.fullCube;
    selectSound(game);
    changeSound(game);

    s.stepDistance = dt * s.snakeSpeed;
    s.keyUp = 'w';
    s.keyLeft = 'a';
    s.keyDown = 's';
    s.keyRight = 'd';
    s.keyUpAlt = '+';
    s.keyDownAlt = '-';
    if (c.down(engine::Key::Up)) s.requestedDirection = "up";
    if (c.down(engine::Key::Down)) s.requestedDirection = "down";
    lightStage(game);

    if (l.asynctmrTimerMenu->enabled()) return;

    // Space starts the next level from the result screen. Taken during play it would
    // linger and skip the next result screen as soon as the level ended; taken there
    // it also stops the count-down, as the result menu's Continue Game does. Not under
    // an overlay list, which would stay over the new level.
    const bool over = levelIsOver(game);
    if ((c.down(engine::Key::Space) || c.has(engine::PadSignal::Confirm)) && over &&
        !l.TextBlackScore->visible()) {
        s.startRequested = true;
        s.countdown = 0;
    }
    if (over) {
        if (levelOverFrame(game, dt)) return; // a new level was set up: this frame is done
    } else {
        playFrame(game, dt);
    }
    speckCheck(game);
    restartMusicIfDue(game);
    showStepIndicators(game);
    l.glcpsl1->setHeight(20);
    clearBlackVeil(game, dt);
    if (!runLightIntro(game, dt)) fadeInHud(game, dt);
    handleMuteKey(game);
}

} // namespace coilrun
