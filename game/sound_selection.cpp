#include "game/sound_selection.h"

#include "engine/sound/sound_emitter.h"

namespace coilrun {

void startSound(Game& game, const std::string& sampleName) {
    const SceneLinks& l = game.links;
    if (!l.WAVout->active()) return;
    auto emitter = std::make_unique<engine::TGLBSoundEmitter>(game.services.sound);
    emitter->source().setSoundLibrary(l.SoundLibary1);
    emitter->source().setSoundName(sampleName);
    engine::TGLBSoundEmitter& added = *emitter;
    l.Dummy1->addBehaviour(std::move(emitter));
    added.setPlaying(true);
}

void deactivateWaveOutUnlessMenu(Game& game) {
    if (!game.links.menuMain1->visible()) game.links.WAVout->setActive(false);
}

void activateWaveOutIfSoundOn(Game& game) {
    if (game.state.soundOn) game.links.WAVout->setActive(true);
}

void restartWaveOutput(Game& game) {
    deactivateWaveOutUnlessMenu(game);
    activateWaveOutIfSoundOn(game);
}

void selectSound(Game& game) {
    GameState& s = game.state;
    if (s.musicDue) s.soundName = "Thema";
    if (!s.musicDue && !s.levelOver) s.soundName = "start";
}

void changeSound(Game& game) {
    GameState& s = game.state;
    if (s.soundName == s.playingSound) return;
    startSound(game, s.soundName);
    s.musicClock = 4;
    s.playingSound = s.soundName;
}

void restartMusicIfDue(Game& game) {
    GameState& s = game.state;
    if (!(s.musicClock > 53 || s.playSeconds == 0)) return;
    restartWaveOutput(game);
    if (game.links.WAVout->active()) {
        startSound(game, "");
        startSound(game, s.soundName);
    }
    s.musicClock = 0;
}

} // namespace coilrun
