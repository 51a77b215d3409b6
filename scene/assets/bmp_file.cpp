#include "scene/assets/bmp_file.h"

#include "scene/assets/asset_error.h"
#include "scene/assets/byte_order.h"

#include <cstdlib>
#include <string>

namespace coilrun::scene {

namespace {

constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;
constexpr int maxSide = 16384;

std::uint32_t rowBytes(int width, int bits) {
    return (std::uint32_t(width) * bits / 8 + 3) & ~3u;
}

} // namespace

std::uint32_t bmp24FileSize(int width, int height) {
    return fileHeaderSize + infoHeaderSize + rowBytes(width, 24) * std::uint32_t(height);
}

std::vector<std::uint8_t> encodeBmp24(const platform::Image& image) {
    using namespace bytes;
    const std::uint32_t stride = rowBytes(image.width, 24);
    std::vector<std::uint8_t> out;
    out.reserve(bmp24FileSize(image.width, image.height));
    putText(out, "BM");
    putU32(out, bmp24FileSize(image.width, image.height));
    putU32(out, 0);
    putU32(out, fileHeaderSize + infoHeaderSize);
    putU32(out, infoHeaderSize);
    putU32(out, std::uint32_t(image.width));
    putU32(out, std::uint32_t(image.height)); // positive: bottom-up
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, 0); // BI_RGB
    putU32(out, stride * std::uint32_t(image.height));
    putU32(out, 2835); // 72 dpi
    putU32(out, 2835);
    putU32(out, 0);
    putU32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            out.push_back(std::uint8_t(p));
            out.push_back(std::uint8_t(p >> 8));
            out.push_back(std::uint8_t(p >> 16));
        }
        out.insert(out.end(), stride - std::uint32_t(image.width) * 3, 0);
    }
    return out;
}

platform::Image decodeBmp(std::span<const std::uint8_t> file) {
    using bytes::u16At;
    using bytes::u32At;
    if (file.size() < fileHeaderSize + infoHeaderSize || file[0] != 'B' || file[1] != 'M')
        throw AssetError("not a bitmap file");
    const std::uint32_t pixelOffset = u32At(file, 10);
    const std::uint32_t headerSize = u32At(file, 14);
    const auto width = std::int32_t(u32At(file, 18));
    const auto height = std::int32_t(u32At(file, 22));
    const std::uint32_t bits = u16At(file, 28);
    const std::uint32_t compression = u32At(file, 30);
    if (headerSize < infoHeaderSize) throw AssetError("bitmap with an unsupported header");
    if (compression != 0 || (bits != 24 && bits != 32))
        throw AssetError("bitmap of " + std::to_string(bits) + " bits, compression " +
                         std::to_string(compression) +
                         ": only uncompressed 24 or 32 bits are read");
    if (width <= 0 || height == 0 || width > maxSide || height > maxSide || height < -maxSide)
        throw AssetError("bitmap of unusable size " + std::to_string(width) + " x " +
                         std::to_string(height));
    const int rows = std::abs(height);
    const std::uint32_t stride = rowBytes(width, int(bits));
    // 64 bits: a header size near 4 GiB must not wrap round to a small one.
    if (std::uint64_t(pixelOffset) < std::uint64_t(fileHeaderSize) + headerSize ||
        std::uint64_t(pixelOffset) + std::uint64_t(stride) * std::uint64_t(rows) > file.size())
        throw AssetError("bitmap file truncated: its pixels run past its end");

    platform::Image image;
    image.width = width;
    image.height = rows;
    image.pixels.resize(std::size_t(width) * std::size_t(rows));
    const std::size_t step = bits / 8;
    for (int r = 0; r < rows; ++r) {
        const int y = height > 0 ? rows - 1 - r : r;
        const std::uint8_t* p = file.data() + pixelOffset + std::size_t(stride) * std::size_t(r);
        for (int x = 0; x < width; ++x, p += step) {
            const std::uint32_t a = bits == 32 ? p[3] : 0xffu;
            image.at(x, y) =
                (a << 24) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
        }
    }
    return image;
}

} // namespace coilrun::scene
