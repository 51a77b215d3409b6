#pragma once
#include <cstdint>
#include <vector>

namespace coilrun::platform {

// A picture in memory: rows top-down, each pixel 0xAARRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
};

constexpr int red(std::uint32_t argb) { return int((argb >> 16) & 0xff); }
constexpr int green(std::uint32_t argb) { return int((argb >> 8) & 0xff); }
constexpr int blue(std::uint32_t argb) { return int(argb & 0xff); }
constexpr int alpha(std::uint32_t argb) { return int(argb >> 24); }

} // namespace coilrun::platform
