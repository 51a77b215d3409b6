#pragma once
#include "engine/sound/wav_file.h"

#include <memory>
#include <string>

namespace coilrun::engine {

// One named sample of a sound library. The sound file is shared: a voice that is
// playing it keeps the bytes alive even if the sample is given other data or the
// library goes away in the middle of the sound.
class TGLSoundSample {
public:
    explicit TGLSoundSample(std::string name = {}, std::shared_ptr<const TGLWAVFile> data = {})
        : name_(std::move(name)), data_(std::move(data)) {}

    const std::string& name() const { return name_; }
    void setName(const std::string& name) { name_ = name; }
    // Null when the sample has no sound file.
    const std::shared_ptr<const TGLWAVFile>& data() const { return data_; }
    void setData(std::shared_ptr<const TGLWAVFile> data) { data_ = std::move(data); }

private:
    std::string name_;
    std::shared_ptr<const TGLWAVFile> data_;
};

} // namespace coilrun::engine
