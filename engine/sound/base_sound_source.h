#pragma once
#include <string>

namespace coilrun::engine {

class TGLSoundLibrary;

// The settings of one sound: which sample of which library, and how it is to be
// heard. The wave output only uses the library, the name and NbLoops; the rest is
// kept so that every authored value survives and is copied along.
class TGLBaseSoundSource {
public:
    TGLBaseSoundSource() = default;
    TGLBaseSoundSource(const TGLBaseSoundSource&) = delete;
    TGLBaseSoundSource& operator=(const TGLBaseSoundSource&) = delete;
    virtual ~TGLBaseSoundSource();

    // Copies every setting of other, the library link included.
    void assign(const TGLBaseSoundSource& other);

    // Cleared when the library is destroyed.
    TGLSoundLibrary* soundLibrary() const { return soundLibrary_; }
    void setSoundLibrary(TGLSoundLibrary* library);
    // Looked up in the library ignoring ASCII letter case.
    const std::string& soundName() const { return soundName_; }
    void setSoundName(const std::string& name) { soundName_ = name; }
    float volume() const { return volume_; }
    void setVolume(float v) { volume_ = v; }
    // How many times the sample is played; below 2 it plays once.
    int nbLoops() const { return nbLoops_; }
    void setNbLoops(int n) { nbLoops_ = n; }
    bool mute() const { return mute_; }
    void setMute(bool m) { mute_ = m; }
    bool pause() const { return pause_; }
    void setPause(bool p) { pause_ = p; }
    int priority() const { return priority_; }
    void setPriority(int p) { priority_ = p; }
    float minDistance() const { return minDistance_; }
    void setMinDistance(float d) { minDistance_ = d; }
    float maxDistance() const { return maxDistance_; }
    void setMaxDistance(float d) { maxDistance_ = d; }
    // Degrees.
    float insideConeAngle() const { return insideConeAngle_; }
    void setInsideConeAngle(float a) { insideConeAngle_ = a; }
    float outsideConeAngle() const { return outsideConeAngle_; }
    void setOutsideConeAngle(float a) { outsideConeAngle_ = a; }
    float coneOutsideVolume() const { return coneOutsideVolume_; }
    void setConeOutsideVolume(float v) { coneOutsideVolume_ = v; }
    // Hz; -1 = the sample's own rate.
    int frequency() const { return frequency_; }
    void setFrequency(int hz) { frequency_ = hz; }

private:
    TGLSoundLibrary* soundLibrary_ = nullptr;
    std::string soundName_;
    float volume_ = 1.0f;
    int nbLoops_ = 1;
    bool mute_ = false;
    bool pause_ = false;
    int priority_ = 0;
    float minDistance_ = 1.0f;
    float maxDistance_ = 100.0f;
    float insideConeAngle_ = 360.0f;
    float outsideConeAngle_ = 360.0f;
    float coneOutsideVolume_ = 0.0f;
    int frequency_ = -1;
};

} // namespace coilrun::engine
