#include "game/controls_step.h"

namespace coilrun {

void readControls(Game& game) {
    engine::TGLUserInterface& mouseLook = *game.links.GLUserInterface1;
    engine::Controls& c = game.controls;
    if (game.replayInput) {
        c = game.replayInput->controls;
        game.windowActive = game.replayInput->windowActive;
    } else {
        c = game.services.controls.read(mouseLook);
        game.windowActive = game.services.mainWindow.isActive();
        // The keyboard counts only in the game window; so does the pad, which the
        // system would otherwise hand to whichever window the player is in.
        if (!game.windowActive) c.pad = 0, c.stickX = 0, c.stickY = 0;
    }
    mouseLook.takeReading({c.lookX, c.lookY});
}

} // namespace coilrun
