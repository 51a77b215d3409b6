#include "frontend/start_game.h"

#include "game/hud_texts.h"
#include "game/level_map.h"
#include "game/level_setup.h"

namespace coilrun {

void StartGame(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;

    l.WAVoutMenu->setActive(false);
    l.timermainmenumusic->setEnabled(false);

    // The level chosen in the menu (the title reads "LEVEL " + n).
    const int chosen = levelNumberAfterPrefix(l.TextMain1->text());
    s.level = chosen >= 1 ? chosen : 1;

    // The first level starts from exactly what a level set-up leaves, although no
    // set-up runs for it: the menu's flight has changed the lights and the rest.
    resetLevel(game);

    l.menuMain1->setVisible(false);
    l.menuMain2->setVisible(false);
    l.TextMain1->setVisible(false);
    game.services.blackPanel.show();
    l.DummyMenu->setVisible(false);
    l.Camera1Menu->setVisible(false);
    game.services.viewer.setCamera(l.Camera);
    l.Snake->setVisible(true);
    l.Stage->setVisible(true);
    l.speck->setVisible(true);
    l.centerlight->ambient().setBlue(0);
    l.centerlight->ambient().setGreen(0);
    l.xcenterlight->setShining(true);
    l.zcenterlight->setShining(true);

    l.CadencerMenu->setEnabled(false);
    l.timerTitle->setEnabled(true);
    s.startRequested = true;
    l.TextLevel1->setText("Level: " + std::to_string(s.level));
    showLevelMapsFor(game, s.level);
}

} // namespace coilrun
