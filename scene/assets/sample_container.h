#pragma once
#include "engine/sound/wav_file.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace coilrun::scene {

// The stored form of a sample: a 32-bit little-endian length n, the n characters
// of the sound-file class ("TGLWAVFile"), then the complete file that class reads.

inline constexpr std::string_view soundFileClassName = "TGLWAVFile";

// A chunk to place after "data" in a RIFF WAVE (editor data and the like).
struct RiffChunk {
    std::array<char, 4> id{};
    std::vector<std::uint8_t> body;
};

// A complete mono PCM RIFF WAVE: an 18-byte "fmt " chunk, the "data" chunk
// holding pcm as given, then the trailing chunks (odd bodies padded to a word).
std::vector<std::uint8_t> makeRiffWave(int sampleRate, int bitsPerSample,
                                       std::span<const std::uint8_t> pcm,
                                       std::span<const RiffChunk> trailing = {});

// Wraps a RIFF image in the sample container.
std::vector<std::uint8_t> writeSampleContainer(std::span<const std::uint8_t> riff);

// Reads one container from the stream's position; the stream is left after it.
// Throws AssetError for an unknown class (naming it) or a truncated container,
// and the class's own error (engine::WavFileError) for a bad file.
std::unique_ptr<engine::TGLWAVFile> readSampleContainer(engine::ByteStream& stream);
std::unique_ptr<engine::TGLWAVFile> readSampleContainer(std::span<const std::uint8_t> stored);

} // namespace coilrun::scene
