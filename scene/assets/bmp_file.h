#pragma once
#include "engine/platform/image.h"

#include <cstdint>
#include <span>
#include <vector>

namespace coilrun::scene {

// Windows bitmap files as the program stores its pictures: uncompressed, 24 bits
// per pixel, rows bottom-up and padded to 4 bytes, behind the 14-byte file header
// and the 40-byte info header.

// The size of such a file for a picture of width x height.
std::uint32_t bmp24FileSize(int width, int height);

// Writes image as a 24-bit bitmap file (alpha is dropped).
std::vector<std::uint8_t> encodeBmp24(const platform::Image& image);

// Decodes an uncompressed 24- or 32-bit bitmap file (bottom-up or top-down) into
// a top-down image; 24-bit pixels come out opaque. Throws AssetError for anything
// else, for sizes the bytes cannot hold, and for pictures above 16384 pixels a side.
platform::Image decodeBmp(std::span<const std::uint8_t> file);

} // namespace coilrun::scene
