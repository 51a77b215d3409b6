#pragma once
#include "engine/platform/image.h"
#include "engine/sound/wav_file.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace coilrun::scene {

// The stored form of a picture: one byte n, the n characters of the picture class
// ("TBitmap"), a 32-bit little-endian byte count, then that many bytes of a
// complete bitmap file whose own size field equals the count.

inline constexpr std::string_view pictureClassName = "TBitmap";

// Stores image as a 24-bit bitmap in the container.
std::vector<std::uint8_t> writePictureContainer(const platform::Image& image);

// Reads one container from the stream's position and decodes its bitmap; the
// stream is left after the container. Throws AssetError for an unknown class
// (naming it), a truncated container or an undecodable bitmap.
platform::Image readPictureContainer(engine::ByteStream& stream);
platform::Image readPictureContainer(std::span<const std::uint8_t> stored);

} // namespace coilrun::scene
