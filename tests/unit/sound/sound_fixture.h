#pragma once
#include "engine/objects/dummy_cube.h"
#include "engine/sound/sm_wave_out.h"
#include "engine/sound/sound_context.h"
#include "engine/sound/sound_emitter.h"
#include "engine/sound/sound_library.h"
#include "tests/sim/sim_platform.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace coilrun::engine::test {

// A mono PCM sample of `bytes` bytes of audio, read the way the library's files are.
inline std::shared_ptr<const TGLWAVFile> makeSample(int rate, int bits, std::size_t bytes) {
    std::vector<std::uint8_t> riff;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            riff.push_back(std::uint8_t(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        riff.push_back(std::uint8_t(v));
        riff.push_back(std::uint8_t(v >> 8));
    };
    auto id = [&](const char* s) {
        for (int i = 0; i < 4; ++i)
            riff.push_back(std::uint8_t(s[i]));
    };
    id("RIFF");
    u32(std::uint32_t(4 + 8 + 18 + 8 + bytes));
    id("WAVE");
    id("fmt ");
    u32(18);
    u16(1);
    u16(1);
    u32(std::uint32_t(rate));
    u32(std::uint32_t(rate * bits / 8));
    u16(std::uint16_t(bits / 8));
    u16(std::uint16_t(bits));
    u16(0);
    id("data");
    u32(std::uint32_t(bytes));
    riff.resize(riff.size() + bytes, 0x80);
    auto file = std::make_shared<TGLWAVFile>();
    ByteStream stream(riff);
    file->LoadFromStream(stream);
    return file;
}

// Two wave outputs on one simulated platform, a library of short samples whose
// rates tell them apart, and a dummy to hang emitters on.
class SoundTest : public ::testing::Test {
protected:
    SoundTest() {
        // 8000 Hz, 8 bits: bytes / 8000 seconds.
        library.samples().add("speck", makeSample(8000, 8, 4000));    // 0.5 s
        library.samples().add("Thema", makeSample(16000, 16, 64000)); // 2 s
        library.samples().add("red", makeSample(11025, 8, 1102));
        wavOut.setMaxChannels(6);
        wavOut.setActive(true);
    }

    TGLBSoundEmitter& addEmitter(const std::string& sample, bool play = true) {
        auto e = std::make_unique<TGLBSoundEmitter>(context);
        e->source().setSoundLibrary(&library);
        e->source().setSoundName(sample);
        auto& added = static_cast<TGLBSoundEmitter&>(dummy.addBehaviour(std::move(e)));
        if (play) added.setPlaying(true);
        return added;
    }
    // An emitter on no object: it is never taken away, so a test may keep it.
    std::unique_ptr<TGLBSoundEmitter> looseEmitter(const std::string& sample) {
        auto e = std::make_unique<TGLBSoundEmitter>(context);
        e->source().setSoundLibrary(&library);
        e->source().setSoundName(sample);
        return e;
    }
    // One manager update (more than a tenth of a second after the last).
    void update(TGLSoundManager& m) {
        now += 0.2;
        m.doProgress({0.2, now});
    }
    void update() { update(wavOut); }

    sim::SimPlatform platform;
    SoundContext context{platform.messageBoxesImpl};
    sim::SimAudioOutput& audio = platform.audioImpl;
    TGLSoundLibrary library;
    TGLSMWaveOut wavOut{context, audio};
    TGLDummyCube dummy;
    double now = 0;
};

} // namespace coilrun::engine::test
