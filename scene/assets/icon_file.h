#pragma once
#include "engine/platform/image.h"

#include <cstdint>
#include <span>
#include <vector>

namespace coilrun::scene {

// Icon files (.ico): one icon group of square 32-bit images, each a DIB with
// premultiplication-free alpha followed by the 1-bit AND mask older readers use.

// Writes the images, in the order given, as one icon group. Each must be square
// and at most 256 pixels a side.
std::vector<std::uint8_t> encodeIcon(std::span<const platform::Image> images);

// Decodes every 32-bit DIB image of an icon file, in directory order. Throws
// AssetError for a malformed file or an image in another form (PNG, palettes).
std::vector<platform::Image> decodeIcon(std::span<const std::uint8_t> file);

} // namespace coilrun::scene
