#include "engine/sound/sound_sources.h"

namespace coilrun::engine {

TGLSoundSource& TGLSoundSources::add() {
    items_.push_back(std::make_unique<TGLSoundSource>(owner_));
    return *items_.back();
}

void TGLSoundSources::deleteAt(std::size_t index) {
    std::unique_ptr<TGLSoundSource> gone = std::move(items_.at(index));
    items_.erase(items_.begin() + std::ptrdiff_t(index));
    gone.reset();
}

bool TGLSoundSources::remove(TGLSoundSource& source) {
    const int i = indexOf(&source);
    if (i < 0) return false;
    deleteAt(std::size_t(i));
    return true;
}

void TGLSoundSources::clear() {
    while (!items_.empty())
        deleteAt(items_.size() - 1);
}

int TGLSoundSources::indexOf(const TGLSoundSource* source) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == source) return int(i);
    return -1;
}

} // namespace coilrun::engine
