#include "game/level_setup.h"

#include "game/cadencer_handover.h"
#include "game/hud_texts.h"
#include "game/level_map.h"
#include "game/level_table.h"
#include "game/sound_selection.h"
#include "game/specks.h"

namespace coilrun {

void resetLevel(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;

    game.services.blackPanel.hide();
    s.restartRequested = false;
    setAlpha(*l.TextMenuLevel1, 0);
    setAlpha(*l.TextMenuLevel2, 0);
    l.menuLevel->activeColor().setAlpha(0);
    l.menuLevel->disabledColor().setAlpha(0);
    l.menuLevel->inactiveColor().setAlpha(0);
    l.menuLevel->setVisible(false);
    l.glcpsl1->setHeight(0);
    setAlpha(*l.TextBlack, 2.0);

    // The side lights start low: the light intro brings them up.
    l.leftlight->setConstAttenuation(100);
    l.rightlight->setConstAttenuation(100);
    deactivateWaveOutUnlessMenu(game);
    s.playSeconds = 0;
    s.soundName = "Start";

    l.skyline->position().setZ(-80);
    s.rigSpin = isFlatLevel(s.level) ? 0 : 20;
    l.DummyScreen->setVisible(false);
    liftSpeck(l);
    seedSpeckDice(game);

    s.stepDirection.clear();
    s.requestedDirection.clear();
    l.jumperball->setPosition(0, 0, 0);
    l.Camera->direction().setX(0);

    showLevelMapsFor(game, s.level);

    for (engine::TGLSphere* sphere : l.snake)
        sphere->setPosition(*l.jumperball);
    for (int k = 0; k < SceneLinks::kSegments; ++k) {
        l.connectorY[k]->setVisible(false);
        l.connectorX[k]->setVisible(false);
        l.connectorZ[k]->setVisible(false);
    }

    s.snakeLength = 2;
    s.lastStepLength = 2;
    s.occupancy.clear();

    l.Snake->setScale({1, 1, 1});
    l.Snake->setVisible(true);
    l.speck->setVisible(true);
    s.levelOver = false;

    l.timerTitle->setEnabled(true);
    l.TextCenter->setText(levelTitle(s.level));
    setAlpha(*l.TextCenter, 0);

    l.stagetext1->setText("GAME OVER");
    l.stagetext2->setText("GAME OVER");
    activateWaveOutIfSoundOn(game);
    for (engine::TGLLightSource* centre : {l.centerlight, l.xcenterlight, l.zcenterlight})
        centre->setShining(true);

    if (isFlatLevel(s.level) && l.Camera->position().z() == 17.0f) l.Camera->position().setZ(10);
    if (game.services.levelSetUp) game.services.levelSetUp();
}

void setUpLevel(Game& game) {
    const SceneLinks& l = game.links;
    // After the flat stage of level 1 the full cube comes back first; otherwise the
    // flat-stage switch runs (it changes nothing above level 1).
    const bool leaveFlatStage = l.Stage->scale().z() != 1.0f && !isFlatLevel(game.state.level);
    resetLevel(game);
    handOverTo(l, leaveFlatStage ? *l.Cadencer3 : *l.Cadencer2);
}

} // namespace coilrun
