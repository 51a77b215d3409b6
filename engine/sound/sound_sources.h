#pragma once
#include "engine/sound/sound_source.h"

#include <memory>
#include <vector>

namespace coilrun::engine {

class TGLSoundManager;

// The Sources collection of a manager. A source is taken out of the collection
// before it is destroyed, so that whatever its destruction triggers (stopping the
// voice, the emitter forgetting it) sees the collection without it.
class TGLSoundSources {
public:
    explicit TGLSoundSources(TGLSoundManager* owner) : owner_(owner) {}
    TGLSoundSources(const TGLSoundSources&) = delete;
    TGLSoundSources& operator=(const TGLSoundSources&) = delete;
    ~TGLSoundSources() { clear(); }

    std::size_t count() const { return items_.size(); }
    TGLSoundSource& item(std::size_t index) const { return *items_.at(index); }
    TGLSoundSource& add();
    void deleteAt(std::size_t index);
    // False when source is not in this collection.
    bool remove(TGLSoundSource& source);
    // Deletes every source, the last first.
    void clear();
    int indexOf(const TGLSoundSource* source) const;

private:
    TGLSoundManager* owner_;
    std::vector<std::unique_ptr<TGLSoundSource>> items_;
};

} // namespace coilrun::engine
