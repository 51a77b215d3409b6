#include "game/cadencer_handover.h"

namespace coilrun {
namespace {

std::array<engine::TGLCadencer*, 5> all(const SceneLinks& l) {
    return {l.Cadencer1, l.Cadencer2, l.Cadencer3, l.Cadencer4, l.CadencerMenu};
}

} // namespace

void handOverTo(const SceneLinks& links, engine::TGLCadencer& next) {
    for (engine::TGLCadencer* c : all(links))
        if (c != &next) c->setEnabled(false);
    next.setEnabled(true);
}

int enabledCadencers(const SceneLinks& links) {
    int n = 0;
    for (engine::TGLCadencer* c : all(links))
        n += c->enabled();
    return n;
}

} // namespace coilrun
