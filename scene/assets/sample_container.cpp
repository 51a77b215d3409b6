#include "scene/assets/sample_container.h"

#include "scene/assets/asset_error.h"
#include "scene/assets/byte_order.h"

#include <string>

namespace coilrun::scene {

std::vector<std::uint8_t> makeRiffWave(int sampleRate, int bitsPerSample,
                                       std::span<const std::uint8_t> pcm,
                                       std::span<const RiffChunk> trailing) {
    using namespace bytes;
    const std::uint32_t blockAlign = std::uint32_t(bitsPerSample + 7) / 8;
    std::vector<std::uint8_t> out;
    putText(out, "RIFF");
    putU32(out, 0); // patched below
    putText(out, "WAVE");
    putText(out, "fmt ");
    putU32(out, 18);
    putU16(out, 1); // PCM
    putU16(out, 1); // mono
    putU32(out, std::uint32_t(sampleRate));
    putU32(out, std::uint32_t(sampleRate) * blockAlign);
    putU16(out, blockAlign);
    putU16(out, std::uint32_t(bitsPerSample));
    putU16(out, 0);
    auto chunk = [&](std::string_view id, std::span<const std::uint8_t> body) {
        putText(out, id);
        putU32(out, std::uint32_t(body.size()));
        out.insert(out.end(), body.begin(), body.end());
        if (body.size() & 1) out.push_back(0);
    };
    chunk("data", pcm);
    for (const RiffChunk& c : trailing)
        chunk(std::string_view(c.id.data(), 4), c.body);
    const auto riffSize = std::uint32_t(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + i] = std::uint8_t(riffSize >> (8 * i));
    return out;
}

std::vector<std::uint8_t> writeSampleContainer(std::span<const std::uint8_t> riff) {
    std::vector<std::uint8_t> out;
    out.reserve(4 + soundFileClassName.size() + riff.size());
    bytes::putU32(out, std::uint32_t(soundFileClassName.size()));
    bytes::putText(out, soundFileClassName);
    out.insert(out.end(), riff.begin(), riff.end());
    return out;
}

std::unique_ptr<engine::TGLWAVFile> readSampleContainer(engine::ByteStream& stream) {
    const std::size_t start = stream.position();
    auto fail = [&](const std::string& why) {
        stream.seek(start);
        throw AssetError(why);
    };
    std::uint32_t length = 0;
    if (!stream.readU32(length)) fail("sample container truncated before its class name");
    auto name = stream.take(length);
    if (name.size() != length) fail("sample container truncated in its class name");
    const std::string className(name.begin(), name.end());
    // TGLWAVFile is the only sound-file class the program registers.
    if (className != soundFileClassName) fail("unknown sound-file class \"" + className + "\"");
    auto file = std::make_unique<engine::TGLWAVFile>();
    try {
        file->LoadFromStream(stream);
    } catch (...) {
        stream.seek(start);
        throw;
    }
    return file;
}

std::unique_ptr<engine::TGLWAVFile> readSampleContainer(std::span<const std::uint8_t> stored) {
    engine::ByteStream stream(stored);
    return readSampleContainer(stream);
}

} // namespace coilrun::scene
