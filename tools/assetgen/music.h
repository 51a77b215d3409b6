#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace coilrun::assetgen {

// The stored format of one of the game's eight samples.
struct SampleFormat {
    std::string_view name;
    int rate;                // Hz
    int bits;                // 8 (unsigned) or 16 (signed)
    std::uint32_t dataBytes; // size of the "data" chunk
};

// The eight samples of the sound library, in library order.
const std::vector<SampleFormat>& sampleFormats();

// Composes and renders one sample; the result is exactly format.dataBytes of PCM.
std::vector<std::uint8_t> makeSample(const SampleFormat& format);

// The same before quantising, in [-1, 1] (for checking levels and joins).
std::vector<float> makeSampleSignal(const SampleFormat& format);

} // namespace coilrun::assetgen
