#include "game/level_over_screen.h"

#include "engine/input/user_interface.h"
#include "game/hud.h"
#include "game/level_setup.h"
#include "game/level_table.h"
#include "game/score.h"
#include "game/settings/settings.h"
#include "game/sound_selection.h"

#include <algorithm>

namespace coilrun {
namespace {

void fadeInResultMenu(Game& game, double dt) {
    const SceneLinks& l = game.links;
    if (l.menuLevel->activeColor().alpha() >= 1) return;
    const float step = float(1.5 * dt);
    setAlpha(*l.TextMenuLevel1, alphaOf(*l.TextMenuLevel1) + step);
    setAlpha(*l.TextMenuLevel2, alphaOf(*l.TextMenuLevel2) + step);
    for (engine::TGLColor* c : {&l.menuLevel->activeColor(), &l.menuLevel->disabledColor(),
                                &l.menuLevel->inactiveColor()})
        c->setAlpha(c->alpha() + step);
    l.menuLevel->setVisible(true);
}

void advanceOnWin(Game& game) {
    GameState& s = game.state;
    if (s.snakeLength < s.targetLength) return;
    if (!s.levelOver) {
        s.level += 1;
        if (s.level == s.maxLevel) s.maxLevel += 1;
    }
    s.levelOver = false;
    s.stepping = false;
    // Past the stored frontier: remember the level for the next run.
    if (s.level > s.maxLevel) settings::storeMaxLevel(game.services.settings, s.level);
}

void showHeadlines(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    if (l.TextLevel2->text() == "100% DONE") {
        l.stagetext1->setText("  YOU WIN!");
        l.stagetext2->setText("  YOU WIN!");
        s.levelFactor = levelFactorFor(s.level);
        s.score = levelScore(s.targetLength, s.levelFactor, s.clockMinutes, s.clockSeconds,
                             s.clockHundredths, s.level);
        const std::string line = "Score: " + std::to_string(s.score);
        l.stagetextA->setText(line);
        l.stagetextB->setText(line);
        for (engine::TGLLightSource* centre : {l.centerlight, l.xcenterlight, l.zcenterlight})
            centre->setShining(false);
    }
    if (l.TextLevel2->text() == "0% DONE" && l.stagetext1->text() == "GAME OVER" &&
        l.TextTime->text() != "00:00") {
        l.stagetext1->setText("GAME OVER");
        l.stagetext2->setText("GAME OVER");
        l.stagetextA->setText(" TRY AGAIN");
        l.stagetextB->setText(" TRY AGAIN");
    }
}

void chooseEndMusic(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    if (l.TextLevel2->text() != "100% DONE" && s.soundName == "win" && s.musicClock >= 8) {
        s.soundName = "WinMenu";
    } else if (l.stagetext1->text() != "  YOU WIN!") {
        s.soundName = "Game_Over";
    } else if (s.soundName != "WinMenu") {
        s.soundName = "win";
    }
}

void driftCameraHome(Game& game, double dt) {
    GameState& s = game.state;
    engine::TGLCamera& camera = *game.links.Camera;
    auto& d = camera.direction();
    auto& p = camera.position();
    d.setZ(-1);
    p.setY(float(p.y() - dt * p.y()));
    d.setY(float(d.y() - dt * d.y()));
    if (s.rigSpin > -20) s.rigSpin -= 4 * dt;
    d.setY(std::clamp(d.y(), -0.5f, 0.5f));
    p.setY(d.y() * -40);
    d.setX(float(d.x() - dt * d.x()));
    if (s.rigSpin > -20) s.rigSpin -= 4 * dt;
    d.setX(std::clamp(d.x(), -0.5f, 0.5f));
    p.setX(d.x() * -40);
    if (s.rigSpin > 50) s.rigSpin = 50;
}

} // namespace

bool levelIsOver(const Game& game) {
    const GameState& s = game.state;
    const auto& head = game.links.snake[0]->position();
    bool outside = false;
    for (int axis = 0; axis < 3; ++axis)
        outside = outside || head[axis] > 7 || head[axis] < -7;
    return s.snakeLength == s.targetLength || outside || s.levelOver;
}

bool levelOverFrame(Game& game, double dt) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    engine::TGLCamera& camera = *l.Camera;

    if (!l.TextBlackScore->visible()) l.timercountdown->setEnabled(true);
    if (camera.direction().x() > -1) camera.direction().setX(float(camera.direction().x() - dt));
    if (s.startRequested) camera.direction().setX(0);
    hideGameHud(game);
    fadeInResultMenu(game, dt);
    advanceOnWin(game);
    showHeadlines(game);
    if (s.score > s.bestScore) s.bestScore = s.score;
    s.controlsActive = false;

    const bool firstFrame = !l.DummyScreen->visible();
    if (firstFrame) {
        if (s.soundName != "win" && s.soundName != "Game_Over") restartWaveOutput(game);
        l.GLUserInterface1->MouseLookDeactivate();
    }
    chooseEndMusic(game);
    l.TextTime->setText("00:00");
    l.TextLevel2->setText("0% DONE");

    if (camera.up().x() != 0) {
        camera.setDirection({0, 0, -1});
        camera.setPosition(0, 0, isFlatLevel(s.level) ? 10.0f : 17.0f);
        camera.up().setX(0);
    }
    l.jumperball->setPosition(0, 0, 0);
    s.levelOver = true;
    l.DummyScreen->setVisible(true);

    l.jumperball->turn(float(dt * 1500));
    l.screenflimer->position().setY(l.jumperball->direction().x() * 7);
    l.screentext->position().setY(l.Dummy2->direction().x() * 3);
    for (engine::TGLLightSource* centre : {l.centerlight, l.xcenterlight, l.zcenterlight})
        if (centre->constAttenuation() > 0.5f) centre->setConstAttenuation(0.1f);

    driftCameraHome(game, dt);
    if (l.Snake->scale().x() > 0.9f) {
        const float shrink = float(0.1 * dt);
        const auto& sc = l.Snake->scale();
        l.Snake->setScale({sc.x() - shrink, sc.y() - shrink, sc.z() - shrink});
    }
    // The jumper ball spins 1500 degrees a second: the snake and the speck blink with it.
    const bool lit = l.jumperball->direction().x() > 0;
    l.Snake->setVisible(lit);
    l.speck->setVisible(lit);

    if (s.startRequested || s.restartRequested) {
        setUpLevel(game);
        return true;
    }
    return false;
}

} // namespace coilrun
