#include "game/hud.h"

#include "game/sound_selection.h"

namespace coilrun {

void fadeInHud(Game& game, double dt) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    s.controlsActive = true;
    if (alphaOf(*l.TextLevel1) >= 1) return;
    setAlpha(*l.TextLevel1, alphaOf(*l.TextLevel1) + dt);
    setAlpha(*l.TextLevel2, alphaOf(*l.TextLevel2) + dt);
    setAlpha(*l.TextPause1, alphaOf(*l.TextLevel2) + dt);
    l.Soundsprite->setWidth(float(l.Soundsprite->width() + 32 * dt));
    l.Soundsprite->setHeight(float(l.Soundsprite->height() + 32 * dt));
    setAlpha(*l.TextTime, alphaOf(*l.TextLevel1) / 2);
    setAlpha(*l.TextSound, alphaOf(*l.TextSound) + dt);
    setAlpha(*l.TextCenter, s.requestedDirection.empty() ? alphaOf(*l.TextLevel1) / 2 : 0.0);
}

void clearBlackVeil(Game& game, double dt) {
    engine::TGLHUDText& veil = *game.links.TextBlack;
    if (alphaOf(veil) != 0) setAlpha(veil, alphaOf(veil) - dt);
}

void handleMuteKey(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    const bool mKey =
        game.controls.down(engine::Key::M) || game.controls.has(engine::PadSignal::Mute);
    if (mKey && !l.timermude->enabled()) {
        if (!l.WAVout->active() && !s.soundOn)
            s.soundOn = true;
        else if (l.WAVout->active() && s.soundOn)
            s.soundOn = false;
        if (s.soundOn) {
            s.musicClock = 0;
            l.WAVout->setActive(true);
            startSound(game, s.soundName);
        } else {
            deactivateWaveOutUnlessMenu(game);
        }
    }
    if (mKey) l.timermude->setEnabled(true);
    l.Soundsprite->material().setLibMaterialName(s.soundOn ? "sound_on" : "mude");
    if (!s.soundOn) deactivateWaveOutUnlessMenu(game);
}

void hideGameHud(Game& game) {
    for (engine::TGLHUDText* text : game.links.gameHud())
        setAlpha(*text, 0);
    game.links.Soundsprite->setWidth(0);
    game.links.Soundsprite->setHeight(0);
}

} // namespace coilrun
