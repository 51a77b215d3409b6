#pragma once
#include <cstddef>
#include <vector>

namespace coilrun::platform {
class MessageBoxes;
}

namespace coilrun::engine {

class TGLBSoundEmitter;
class TGLSoundManager;

// What the sound managers and emitters of one program share: which manager is the
// active one (at most one at a time), where messages to the player go, and the
// emitters whose sound has ended and that are to be taken off their objects.
// The game window owns one and hands it to every manager and emitter it makes, so
// two games in one process keep their sound apart. It must outlive them.
class SoundContext {
public:
    explicit SoundContext(platform::MessageBoxes& messageBoxes) : messageBoxes_(messageBoxes) {}
    SoundContext(const SoundContext&) = delete;
    SoundContext& operator=(const SoundContext&) = delete;

    // Null while no manager is active.
    TGLSoundManager* activeManager() const { return active_; }
    platform::MessageBoxes& messageBoxes() const { return messageBoxes_; }

    // Every start of a sound adds an emitter to a scene object; without this they
    // would pile up for as long as the game runs. An emitter whose source has ended
    // asks here to be removed, and the removal waits until collectEndedEmitters(),
    // which the managers call from their cadencer step, where no emitter is in the
    // middle of a call and no object is walking its behaviours.
    void scheduleRemoval(TGLBSoundEmitter& emitter);
    // An emitter being destroyed (or playing again) leaves the list.
    void cancelRemoval(TGLBSoundEmitter& emitter);
    // Destroys every scheduled emitter that is attached to an object; returns how many.
    std::size_t collectEndedEmitters();
    std::size_t pendingRemovals() const { return pending_.size(); }

private:
    friend class TGLSoundManager;
    TGLSoundManager* active_ = nullptr;
    platform::MessageBoxes& messageBoxes_;
    std::vector<TGLBSoundEmitter*> pending_;
};

} // namespace coilrun::engine
