#include "game/controls_step.h"

namespace coilrun {

void readControls(Game& game) {
    TGLUserInterface& mouseLook = *game.links.GLUserInterface1;
    game.controls = game.services.controls.read(mouseLook);
    mouseLook.takeReading({game.controls.lookX, game.controls.lookY});
}

} // namespace coilrun
