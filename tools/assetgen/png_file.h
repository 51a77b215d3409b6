#pragma once
#include "engine/platform/image.h"

#include <cstdint>
#include <vector>

namespace coilrun::assetgen {

// The picture as a PNG file: 8-bit RGBA, not interlaced, each row filtered the
// way that compresses it best. The output is the same, byte for byte, on every run.
std::vector<std::uint8_t> encodePng(const platform::Image& image);

} // namespace coilrun::assetgen
