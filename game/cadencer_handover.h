#pragma once
#include "game/scene_links.h"

namespace coilrun {

// Hands the frames over to one cadencer: every other cadencer of the game window
// is disabled first, so that at most one of them runs at a time.
void handOverTo(const SceneLinks& links, engine::TGLCadencer& next);

// How many of the game window's cadencers are enabled now (0 or 1 in a healthy game).
int enabledCadencers(const SceneLinks& links);

} // namespace coilrun
