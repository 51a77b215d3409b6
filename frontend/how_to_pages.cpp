#include "frontend/how_to_pages.h"

namespace coilrun {

void timerHTTimer(Game& game) {
    GameState& s = game.state;
    s.howToPage = s.howToPage == 4 ? 0 : s.howToPage + 1;
    game.links.SpriteHowTo->material().setLibMaterialName("HT" + std::to_string(s.howToPage));
}

} // namespace coilrun
