#include "engine/sound/sound_library.h"

#include "engine/sound/base_sound_source.h"

namespace coilrun::engine {
namespace {

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

} // namespace

TGLSoundSample& TGLSoundSamples::add(std::string name, std::shared_ptr<const TGLWAVFile> data) {
    items_.push_back(std::make_unique<TGLSoundSample>(std::move(name), std::move(data)));
    return *items_.back();
}

TGLSoundSample* TGLSoundSamples::getByName(std::string_view name) {
    for (auto& s : items_)
        if (sameNameIgnoringCase(s->name(), name)) return s.get();
    return nullptr;
}

const TGLSoundSample* TGLSoundSamples::getByName(std::string_view name) const {
    return const_cast<TGLSoundSamples*>(this)->getByName(name);
}

TGLSoundLibrary::~TGLSoundLibrary() {
    // Copied: clearing a source's link takes it off users_.
    for (TGLBaseSoundSource* source : std::vector<TGLBaseSoundSource*>(users_))
        source->setSoundLibrary(nullptr);
}

} // namespace coilrun::engine
