#include "engine/sound/sound_source.h"

#include "engine/sound/sound_emitter.h"
#include "engine/sound/sound_manager.h"

namespace coilrun::engine {

TGLSoundSource::~TGLSoundSource() {
    if (manager_) manager_->killSource(*this);
    playback_.reset();
    if (TGLBSoundEmitter* e = emitter_) {
        emitter_ = nullptr;
        e->sourceDestroyed(*this);
    }
}

} // namespace coilrun::engine
