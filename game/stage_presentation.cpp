#include "game/stage_presentation.h"

#include "game/cadencer_handover.h"
#include "game/hud_texts.h"
#include "game/level_table.h"
#include "game/steering.h"

#include <algorithm>
#include <cmath>

namespace coilrun {

void turnCameraRig(Game& game, double dt) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    if (!isFlatLevel(s.level)) {
        // A turn against the momentum stops it; a fast turn gives it three times its rate.
        if (s.turnRate > 0 && s.rigSpin < -10) s.rigSpin = 0;
        if (s.turnRate < 0 && s.rigSpin > 10) s.rigSpin = 0;
        if (s.turnRate > 7 || s.turnRate < -7) s.rigSpin = s.turnRate * 3;
        s.rigTurn = -(s.turnRate * 100 + s.rigSpin) * dt;
    }
    if (s.levelOver) s.rigTurn = std::clamp(s.rigTurn, -0.2, 0.2);
    l.Dummy2->turn(float(s.rigTurn));
    l.speck->turn(float(dt * l.Dummy2->direction().x() * 100));
    l.glcpsl1->turn(float(dt * 8));
}

void lookWithStick(Game& game, double dt) {
    const auto travel = [dt](int lean) {
        const double share = lean / 127.0;
        return float(share * std::abs(share) * lookStickSpeed * dt);
    };
    const engine::Controls& c = game.controls;
    if (c.stickX != 0 || c.stickY != 0)
        game.links.GLUserInterface1->turnByTravel(travel(c.stickX), travel(c.stickY));
}

void steadyPlayCamera(Game& game, double dt) {
    GameState& s = game.state;
    engine::TGLCamera& camera = *game.links.Camera;
    game.links.GLUserInterface1->MouseUpdate();
    s.turnRate = camera.direction().x() / dt;
    if (s.turnRate > 50) s.turnRate = 50.01;
    if (s.turnRate < -50) s.turnRate = -50.01;

    auto& d = camera.direction();
    if (isFlatLevel(s.level)) {
        // Level 1 is played in one plane: the view may only sway a little.
        d.setX(d.x() - d.x() / 10);
        d.setX(std::clamp(d.x(), -0.1f, 0.1f));
    } else {
        // The horizontal turn goes to the rig instead.
        d.setX(0);
    }
    camera.up().setX(0);
    d.setY(std::clamp(d.y(), -0.5f, 0.5f));
    d.setY(float(d.y() - dt * d.y()));
    camera.position().setY(d.y() * -20);
}

namespace {

void setDiffuse(engine::TGLLightSource& light, double r, double g, double b) {
    light.diffuse().setBlue(float(b));
    light.diffuse().setGreen(float(g));
    light.diffuse().setRed(float(r));
}

} // namespace

void toneSideLights(const GameState& s, const SceneLinks& l) {
    setDiffuse(*l.rightlight, s.toneLow, s.toneMid, s.toneHigh);
    setDiffuse(*l.leftlight, s.toneMid, s.toneHigh, s.toneLow);
}

void lightStage(Game& game) {
    const GameState& s = game.state;
    const SceneLinks& l = game.links;
    toneSideLights(s, l);
    l.centerlight->setConstAttenuation(float(7 - s.headDistY));
    l.xcenterlight->setConstAttenuation(float(7 - s.headDistX));
    l.zcenterlight->setConstAttenuation(float(7 - s.headDistZ));
}

bool runLightIntro(Game& game, double dt) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    const float a = l.leftlight->constAttenuation();
    if (a <= 1) return false;

    const float left = float(a - dt * a * 1.9);
    const float right =
        float(l.rightlight->constAttenuation() - dt * l.rightlight->constAttenuation() * 1.9);
    l.leftlight->setConstAttenuation(left);
    l.rightlight->setConstAttenuation(right);
    for (engine::TGLLightSource* centre : {l.centerlight, l.xcenterlight, l.zcenterlight})
        centre->setConstAttenuation(left * 10);
    if (left < 25) l.skyline->position().setZ(float(l.skyline->position().z() + dt * 65 / 20));
    const float scale = left / 10 + 0.9f;
    if (scale >= 4.5f) {
        l.Dummy1->setScale({4.5f, 4.5f, 4.5f});
    } else {
        l.Dummy1->setScale({scale, scale, scale});
        l.glcpsl1->setHeight(0);
    }

    // The level has not begun yet: hold the snake and the clock.
    s.snakeLength = 2;
    l.TextLevel1->setText("Level: " + std::to_string(s.level));
    l.TextLevel2->setText("0% DONE");
    l.GLUserInterface1->MouseLookActivate();
    s.clockMinutes = 0;
    s.clockSeconds = 0;
    s.clockHundredths = 0;
    return true;
}

void showStepIndicators(Game& game) {
    const GameState& s = game.state;
    const SceneLinks& l = game.links;
    const int axis = axisOf(s.stepDirection);
    if (!s.controlsActive || axis < 0) {
        l.Dummydown->setVisible(false);
        l.Dummyup->setVisible(false);
        return;
    }
    l.Dummydown->setVisible(true);
    l.Dummyup->setVisible(true);
    const float toGo = l.snake[0]->position()[axis] - l.jumperball->position()[axis];
    const float size = isPositiveDirection(s.stepDirection) ? toGo * -7 : toGo * 7;
    l.Dummydown->scale().setX(size);
    l.Dummydown->scale().setZ(size);
    l.Dummyup->scale().setX(size);
    l.Dummyup->scale().setZ(size);
}

void Cadencer2Progress(Game& game) {
    const SceneLinks& l = game.links;
    if (isFlatLevel(game.state.level)) {
        l.DummyScreen->scale().setZ(0);
        l.Stage->scale().setZ(0.01f);
        l.Dummyup->scale().setY(0.5f);
        l.Dummyup->position().setY(-0.3f);
        l.Dummydown->scale().setY(0.5f);
        l.Dummydown->position().setY(0.3f);
        for (engine::TGLSceneObject* o : l.stretchedInFlatStage)
            o->scale().setZ(100);
        for (engine::TGLCube* bar : l.hiddenInFlatStage)
            bar->setVisible(false);
        l.Camera->position().setZ(10);
    }
    handOverTo(l, *l.Cadencer1);
}

void Cadencer3Progress(Game& game) {
    const SceneLinks& l = game.links;
    l.DummyScreen->scale().setZ(1);
    l.Stage->scale().setZ(1);
    l.Dummyup->scale().setY(0.001f);
    l.Dummyup->position().setY(0);
    l.Dummydown->scale().setY(0.001f);
    l.Dummydown->position().setY(0);
    for (engine::TGLSceneObject* o : l.stretchedInFlatStage)
        o->scale().setZ(1);
    for (engine::TGLCube* bar : l.hiddenInFlatStage)
        bar->setVisible(true);
    l.Camera->position().setZ(isFlatLevel(game.state.level) ? 10 : 17);
    handOverTo(l, *l.Cadencer1);
}

} // namespace coilrun
