#include "frontend/menu_frame.h"

#include "frontend/start_game.h"
#include "frontend/title_logo.h"
#include "game/stage_presentation.h"

namespace coilrun {
void CadencerMenuProgress(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    s.toneHigh = 0.9;
    s.toneMid = 0.5;
    s.toneLow = 0.3;
    toneSideLights(s, l);
    l.glcpsl1->roll(0.05f);
    l.glcblogo->roll(-0.01f);

    // The veil clears without a floor, so the flight keeps speeding up until it stops.
    auto& pos = l.Camera1Menu->position();
    engine::TGLHUDText& veil = *l.TextBlack;
    if (pos.z() == 3.0f) setAlpha(veil, 1);
    setAlpha(veil, alphaOf(veil) - 0.0005);
    const float clear = 1 - alphaOf(veil);
    if (pos.z() > -20) {
        pos.setZ(pos.z() - clear * 0.008f);
        pos.setY(pos.y() + clear * 0.0014f);
        l.Camera1Menu->direction().setY(l.Camera1Menu->direction().y() - clear * 0.0008f);
    }
    if (pos.z() > -2) {
        l.leftlight->setConstAttenuation(pos.z() - 5);
        l.rightlight->setConstAttenuation(pos.z() - 5);
    }
    if (pos.z() < -2) l.SpaceTextlogo->setVisible(false);
    if (pos.z() < -4) {
        if (!l.TextMain1->visible()) {
            l.TextMain1->setText("LEVEL " + std::to_string(s.maxLevel));
            l.asynctmrTimerMenu1->setEnabled(true);
        }
        logoStep(game);
    }

    game.services.viewer.setCamera(l.Camera1Menu);
    l.Snake->setVisible(false);
    l.Stage->setVisible(false);
    l.speck->setVisible(false);
    l.centerlight->ambient().setBlue(0.8f);
    l.centerlight->ambient().setGreen(0.8f);
    l.xcenterlight->setShining(false);
    l.zcenterlight->setShining(false);
    game.services.viewerSurface.show();
    game.services.blackPanel.hide();

    const engine::Controls& c = game.controls;
    if (game.windowActive && !l.TextBlackScore->visible() &&
        (c.down(engine::Key::Space) || c.down(engine::Key::Enter) ||
         c.has(engine::PadSignal::Confirm)))
        StartGame(game);
}

void asynctmrTimerMenu1Timer(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    if (s.menuFade == 0) {
        l.menuMain1->setVisible(true);
        l.menuMain2->setVisible(true);
        l.TextMain1->setVisible(true);
    }
    s.menuFade += 0.02;
    if (!s.levelPicked) {
        for (engine::TGLGameMenu* menu : {l.menuMain1, l.menuMain2}) {
            menu->inactiveColor().setAlpha(float(s.menuFade));
            menu->activeColor().setAlpha(float(s.menuFade));
        }
    }
    setAlpha(*l.TextMain1, s.menuFade);
    if (s.menuFade > 0.75) {
        l.asynctmrTimerMenu1->setEnabled(false);
        s.menuFade = 0.5;
    }
}

} // namespace coilrun
