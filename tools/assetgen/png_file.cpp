#include "tools/assetgen/png_file.h"

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <zlib.h>

namespace coilrun::assetgen {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& out, std::uint32_t v) {
    for (int shift : {24, 16, 8, 0})
        out.push_back(std::uint8_t(v >> shift));
}

void chunk(Bytes& out, std::string_view type, const Bytes& body) {
    put32(out, std::uint32_t(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), body.begin(), body.end());
    const uLong crc = crc32(0, out.data() + start, uInt(out.size() - start));
    put32(out, std::uint32_t(crc));
}

std::uint8_t paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return std::uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Filters one row with each of the five filters and keeps the one whose bytes,
// read as signed, add up smallest: the usual guess at what deflates best.
void filterRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, Bytes& out) {
    constexpr int bpp = 4;
    std::array<Bytes, 5> tries;
    std::size_t bestCost = SIZE_MAX, best = 0;
    for (std::size_t f = 0; f < tries.size(); ++f) {
        Bytes& t = tries[f];
        t.resize(n + 1);
        t[0] = std::uint8_t(f);
        std::size_t cost = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const int a = i >= bpp ? row[i - bpp] : 0;
            const int b = above ? above[i] : 0;
            const int c = above && i >= bpp ? above[i - bpp] : 0;
            const int predicted = f == 0   ? 0
                                  : f == 1 ? a
                                  : f == 2 ? b
                                  : f == 3 ? (a + b) / 2
                                           : paeth(a, b, c);
            const auto v = std::uint8_t(row[i] - predicted);
            t[i + 1] = v;
            cost += v < 128 ? v : 256 - v;
        }
        if (cost < bestCost) bestCost = cost, best = f;
    }
    out.insert(out.end(), tries[best].begin(), tries[best].end());
}

} // namespace

std::vector<std::uint8_t> encodePng(const platform::Image& image) {
    if (image.empty()) throw std::invalid_argument("encodePng: empty picture");
    const auto w = std::size_t(image.width), h = std::size_t(image.height);
    Bytes rgba(w * h * 4);
    for (std::size_t i = 0; i < w * h; ++i) {
        const std::uint32_t p = image.pixels[i];
        rgba[i * 4 + 0] = std::uint8_t(platform::red(p));
        rgba[i * 4 + 1] = std::uint8_t(platform::green(p));
        rgba[i * 4 + 2] = std::uint8_t(platform::blue(p));
        rgba[i * 4 + 3] = std::uint8_t(platform::alpha(p));
    }
    Bytes filtered;
    filtered.reserve((w * 4 + 1) * h);
    for (std::size_t y = 0; y < h; ++y)
        filterRow(&rgba[y * w * 4], y ? &rgba[(y - 1) * w * 4] : nullptr, w * 4, filtered);

    uLongf packedSize = compressBound(uLong(filtered.size()));
    Bytes packed(packedSize);
    if (compress2(packed.data(), &packedSize, filtered.data(), uLong(filtered.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("encodePng: deflate failed");
    packed.resize(packedSize);

    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    put32(header, std::uint32_t(w));
    put32(header, std::uint32_t(h));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, adaptive, no interlace
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});
    return out;
}

} // namespace coilrun::assetgen
