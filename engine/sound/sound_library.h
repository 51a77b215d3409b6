#pragma once
#include "engine/objects/component.h"
#include "engine/sound/sound_sample.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace coilrun::engine {

class TGLBaseSoundSource;

// The Samples collection of a sound library, in the order they were added.
class TGLSoundSamples {
public:
    std::size_t count() const { return items_.size(); }
    TGLSoundSample& item(std::size_t index) { return *items_.at(index); }
    const TGLSoundSample& item(std::size_t index) const { return *items_.at(index); }
    TGLSoundSample& add(std::string name, std::shared_ptr<const TGLWAVFile> data = {});
    void remove(std::size_t index) { items_.erase(items_.begin() + std::ptrdiff_t(index)); }
    void clear() { items_.clear(); }
    // The first sample whose name matches ignoring ASCII letter case; null when none.
    TGLSoundSample* getByName(std::string_view name);
    const TGLSoundSample* getByName(std::string_view name) const;

private:
    std::vector<std::unique_ptr<TGLSoundSample>> items_;
};

// A component holding named samples for sound sources to play.
class TGLSoundLibrary : public TGLComponent {
public:
    TGLSoundLibrary() = default;
    // Sources that still name this library lose the link.
    ~TGLSoundLibrary() override;
    std::string className() const override { return "TGLSoundLibrary"; }

    TGLSoundSamples& samples() { return samples_; }
    const TGLSoundSamples& samples() const { return samples_; }

private:
    friend class TGLBaseSoundSource;
    std::vector<TGLBaseSoundSource*> users_;
    TGLSoundSamples samples_;
};

} // namespace coilrun::engine
