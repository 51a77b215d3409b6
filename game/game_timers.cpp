#include "game/game_timers.h"

#include "game/cadencer_handover.h"
#include "game/hud_texts.h"
#include "game/level_table.h"

namespace coilrun {
namespace {

// The level clock runs only while playing: after the first arrow key, not paused.
bool clockRunning(const Game& game) {
    return !game.links.Cadencer4->enabled() && !game.state.requestedDirection.empty();
}

} // namespace

void runtimeTimer(Game& game) {
    GameState& s = game.state;
    s.playSeconds += 1;
    engine::TGLSceneViewer& viewer = game.services.viewer;
    game.services.mainWindow.setCaption(statusLine(s.musicClock, s.snakeLength,
                                                   game.links.centerlight->constAttenuation(),
                                                   viewer.framesPerSecond()));
    viewer.resetPerformanceMonitor();
    s.musicDue = !(s.levelOver || s.playSeconds < 3);
}

void tmrmusicTimer(Game& game) {
    GameState& s = game.state;
    if (s.soundName == "WinMenu" && s.musicClock >= 30) {
        s.playingSound.clear(); // the frame driver starts it again
        s.musicClock = 0;
    }
    s.musicClock += 1;
}

void timergametimeTimer(Game& game) {
    GameState& s = game.state;
    if (!clockRunning(game)) return;
    if (s.clockSeconds > 58) {
        s.clockSeconds = 0;
        s.clockMinutes += 1;
    } else {
        s.clockSeconds += 1;
    }
    s.clockHundredths = 0;
}

void asynctmr1Timer(Game& game) {
    GameState& s = game.state;
    if (!clockRunning(game)) return;
    if (s.clockHundredths < 99) s.clockHundredths += 1;
    game.links.TextTime->setText(clockText(s.clockMinutes, s.clockSeconds, s.clockHundredths));
}

void timerTitleTimer(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    s.cameraFocal = 1000;
    l.asynctmrtimerzoom->setEnabled(true);
    s.startRequested = false;
    game.services.blackPanel.hide();
    l.TextBlack->setVisible(true);
    setAlpha(*l.TextBlack, 1);
    l.TextCenter->setText(levelTitle(s.level));
    s.titleTicks += 1;
    s.playSeconds = 0;
    l.GLUserInterface1->MouseLookActivate();

    engine::TGLHUDText& title = *l.TextCenter;
    if (s.titleTicks > 5) setAlpha(title, alphaOf(title) + (s.titleTicks < 21 ? 0.1 : -0.1));
    if (s.titleTicks > 20 && alphaOf(title) < 0.1f) {
        l.GLUserInterface1->MouseLookActiveToggle();
        s.titleTicks = 0;
        // Level 1 is played on the flat stage: its switch runs first and hands over.
        handOverTo(l, isFlatLevel(s.level) ? *l.Cadencer2 : *l.Cadencer1);
        title.setText("\"press an arrow key\"");
        s.playSeconds = 0;
        l.timerTitle->setEnabled(false);
    }
}

void asynctmrtimerzoomTimer(Game& game) {
    game.state.cameraFocal -= 2.55;
    if (game.state.cameraFocal < 61) game.links.asynctmrtimerzoom->setEnabled(false);
}

void timermudeTimer(Game& game) {
    game.links.timermude->setEnabled(false);
}

void timercountdownTimer(Game& game) {
    GameState& s = game.state;
    if (s.countdown == -1) {
        s.countdown = 10;
        game.links.timercountdown->setEnabled(false);
        return;
    }
    s.countdown -= 1;
    if (s.countdown == 0) s.startRequested = true;
    const std::string seconds = s.countdown == -1 ? "10" : std::to_string(s.countdown);
    game.links.TextMenuLevel2->setText(levelTitle(s.level) + " in " + seconds + "s");
}

} // namespace coilrun
