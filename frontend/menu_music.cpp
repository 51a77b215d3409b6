#include "frontend/menu_music.h"

#include "engine/sound/sound_emitter.h"

namespace coilrun {

void timermainmenumusicTimer(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    if (l.Camera1Menu->position().z() >= -4) {
        s.menuMusicTicks = 0;
        return;
    }
    s.menuMusicTicks = s.menuMusicTicks < 75 ? s.menuMusicTicks + 1 : 0;
    if (s.menuMusicTicks != 1) return;
    l.WAVoutMenu->setActive(true);
    auto emitter = std::make_unique<engine::TGLBSoundEmitter>(game.services.sound);
    emitter->source().setSoundLibrary(l.SoundLibary1);
    emitter->source().setSoundName("MainMenu");
    engine::TGLBSoundEmitter& music = *emitter;
    l.Dummy1->addBehaviour(std::move(emitter));
    music.setPlaying(true);
}

} // namespace coilrun
