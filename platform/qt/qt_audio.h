#pragma once
#include "engine/platform/audio.h"

#include <QByteArray>

namespace coilrun::qt {

// Wave output through Qt Multimedia: every voice gets an audio sink of its own.
// Voices must be opened, played and reset on the user-interface thread.
class QtAudioOutput : public platform::AudioOutput {
public:
    // Plays on the system's default output, or on the output device whose id is
    // deviceId (as the system names it, e.g. a sink's name); a device that is not
    // there counts as no device at all.
    explicit QtAudioOutput(QByteArray deviceId = {});

    std::unique_ptr<platform::AudioVoice> open(const platform::PcmFormat& format) override;

private:
    QByteArray deviceId_;
};

} // namespace coilrun::qt
