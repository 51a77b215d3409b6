#include "engine/sound/base_sound_source.h"

#include "engine/sound/sound_library.h"

#include <algorithm>

namespace coilrun::engine {

TGLBaseSoundSource::~TGLBaseSoundSource() {
    setSoundLibrary(nullptr);
}

void TGLBaseSoundSource::setSoundLibrary(TGLSoundLibrary* library) {
    if (library == soundLibrary_) return;
    if (soundLibrary_) std::erase(soundLibrary_->users_, this);
    soundLibrary_ = library;
    if (soundLibrary_) soundLibrary_->users_.push_back(this);
}

void TGLBaseSoundSource::assign(const TGLBaseSoundSource& other) {
    if (&other == this) return;
    setSoundLibrary(other.soundLibrary_);
    soundName_ = other.soundName_;
    volume_ = other.volume_;
    nbLoops_ = other.nbLoops_;
    mute_ = other.mute_;
    pause_ = other.pause_;
    priority_ = other.priority_;
    minDistance_ = other.minDistance_;
    maxDistance_ = other.maxDistance_;
    insideConeAngle_ = other.insideConeAngle_;
    outsideConeAngle_ = other.outsideConeAngle_;
    coneOutsideVolume_ = other.coneOutsideVolume_;
    frequency_ = other.frequency_;
}

} // namespace coilrun::engine
