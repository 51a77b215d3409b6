#include "engine/sound/sound_emitter.h"

#include "engine/platform/message_boxes.h"
#include "engine/sound/sound_context.h"
#include "engine/sound/sound_manager.h"

namespace coilrun::engine {

TGLBSoundEmitter::TGLBSoundEmitter(SoundContext& context) : context_(context) {}

TGLBSoundEmitter::~TGLBSoundEmitter() {
    context_.cancelRemoval(*this);
    if (TGLSoundSource* s = playingSource_) {
        playingSource_ = nullptr;
        s->setEmitter(nullptr);
        s->manager()->sources().remove(*s);
    }
}

void TGLBSoundEmitter::setPlaying(bool playing) {
    if (loading_) {
        playingWhenLoaded_ = playing;
        return;
    }
    TGLSoundManager* manager = context_.activeManager();
    if (!manager) {
        context_.messageBoxes().show(
            "No Active Sound Manager.\r\nMake sure manager is created before emitter",
            platform::MessageKind::Plain);
        return;
    }
    if (playing == this->playing()) return;
    if (playing) {
        context_.cancelRemoval(*this);
        TGLSoundSource& s = manager->sources().add();
        s.setEmitter(this);
        s.assign(source_);
        s.setOrigin(owner());
        playingSource_ = &s;
    } else {
        // Destroying it calls sourceDestroyed.
        playingSource_->manager()->sources().remove(*playingSource_);
    }
}

void TGLBSoundEmitter::endLoading() {
    if (!loading_) return;
    loading_ = false;
    if (playingWhenLoaded_) setPlaying(true);
}

void TGLBSoundEmitter::sourceDestroyed(TGLSoundSource& source) {
    if (&source != playingSource_) return;
    playingSource_ = nullptr;
    if (removeWhenEnded_ && owner()) context_.scheduleRemoval(*this);
}

} // namespace coilrun::engine
