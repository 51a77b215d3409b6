#include "engine/sound/sound_context.h"

#include "engine/objects/base_scene_object.h"
#include "engine/sound/sound_emitter.h"

#include <algorithm>

namespace coilrun::engine {

void SoundContext::scheduleRemoval(TGLBSoundEmitter& emitter) {
    if (std::find(pending_.begin(), pending_.end(), &emitter) == pending_.end())
        pending_.push_back(&emitter);
}

void SoundContext::cancelRemoval(TGLBSoundEmitter& emitter) {
    std::erase(pending_, &emitter);
}

std::size_t SoundContext::collectEndedEmitters() {
    std::size_t removed = 0;
    // Taken whole: destroying an emitter calls cancelRemoval.
    std::vector<TGLBSoundEmitter*> due;
    due.swap(pending_);
    for (TGLBSoundEmitter* emitter : due) {
        // One that plays again (or was never put on an object) stays.
        if (emitter->playing() || !emitter->owner()) continue;
        std::unique_ptr<TGLBehaviour> gone = emitter->owner()->removeBehaviour(*emitter);
        if (gone) ++removed;
    }
    return removed;
}

} // namespace coilrun::engine
