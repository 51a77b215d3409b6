// Any bytes given as a stored sample, or as a bare RIFF WAVE, are either read
// whole or refused with the reader's own error, leaving the stream where it was.
#include "engine/sound/wav_file.h"
#include "scene/assets/asset_error.h"
#include "scene/assets/sample_container.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

using namespace coilrun;

void require(bool ok) {
    if (!ok) std::abort();
}

// What every successfully read file must hold to, whatever the bytes were.
void checkFile(const engine::TGLWAVFile& wav, std::size_t consumed) {
    const auto& image = wav.image();
    require(image.size() == consumed);
    require(image.size() >= 12);
    require(wav.dataOffset() <= image.size());
    require(wav.dataLength() <= image.size() - wav.dataOffset());
    require(wav.pcmData().size() == wav.dataLength());
    require(std::isfinite(wav.lengthInSeconds()) && wav.lengthInSeconds() >= 0);
}

// A good file the bare reader is loaded with first, to see that a refused one
// leaves it untouched.
const std::vector<std::uint8_t>& goodWave() {
    static const std::vector<std::uint8_t> wave = [] {
        const std::uint8_t pcm[] = {0x80, 0x90, 0x70, 0x81, 0x7f};
        return scene::makeRiffWave(11025, 8, pcm);
    }();
    return wave;
}

void readContainer(std::span<const std::uint8_t> bytes) {
    engine::ByteStream stream(bytes);
    try {
        const auto wav = scene::readSampleContainer(stream);
        require(wav != nullptr);
        // 4-byte length and the 10-character class name come first.
        require(stream.position() >= 4 + scene::soundFileClassName.size());
        checkFile(*wav, stream.position() - 4 - scene::soundFileClassName.size());
    } catch (const scene::AssetError&) {
        require(stream.position() == 0);
    } catch (const engine::WavFileError&) {
        require(stream.position() == 0);
    }
}

void readBareWave(std::span<const std::uint8_t> bytes) {
    engine::TGLWAVFile wav;
    engine::ByteStream good(goodWave());
    wav.LoadFromStream(good);
    const std::vector<std::uint8_t> before = wav.image();

    engine::ByteStream stream(bytes);
    try {
        wav.LoadFromStream(stream);
        checkFile(wav, stream.position());
    } catch (const engine::WavFileError&) {
        require(stream.position() == 0);
        require(wav.image() == before);
        checkFile(wav, before.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    readContainer(bytes);
    readBareWave(bytes);
    return 0;
}
