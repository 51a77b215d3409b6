#include "game/pause_screen.h"

#include "game/cadencer_handover.h"

namespace coilrun {

void pauseGame(Game& game) {
    handOverTo(game.links, *game.links.Cadencer4);
}

void resumeGame(Game& game) {
    const SceneLinks& l = game.links;
    l.TextCenter->setText("\"press an arrow key\"");
    l.WAVout->setActive(true);
    game.state.musicClock = 53;
    handOverTo(l, *l.Cadencer1);
}

void Cadencer4Progress(Game& game, double dt) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;

    // "Skip Level" is offered only below the highest level unlocked.
    engine::TGLGameMenu& menu = *l.menuPause;
    const std::string third = menu.items().size() > 2 ? menu.items()[2] : "";
    if (s.level >= s.maxLevel && !third.empty())
        menu.setItems({"Resume", "Restart", "", "Quit"});
    else if (s.level < s.maxLevel && third.empty())
        menu.setItems({"Resume", "Restart", "Skip Level", "Quit"});

    l.GLUserInterface1->MouseLookDeactivate();
    if (alphaOf(*l.TextCenter) != 1.0f) l.timermude->setEnabled(true);
    l.TextCenter->setText("Game Paused");
    setAlpha(*l.TextCenter, 1);

    l.speck->turn(float(dt * 20));
    l.glcpsl1->up().setX(l.speck->direction().z());
    l.glcpsl1->turn(float(dt * 8));
    l.WAVout->setActive(false);

    const engine::Controls& c = game.controls;
    if (game.windowActive && !l.timermude->enabled() &&
        (c.down(engine::Key::Space) || c.down(engine::Key::Escape) ||
         c.has(engine::PadSignal::Confirm) || c.has(engine::PadSignal::Cancel))) {
        l.timermude->setEnabled(true);
        setAlpha(*l.TextCenter, 0);
        resumeGame(game);
    }
}

} // namespace coilrun
