#include "scene/assets/icon_file.h"

#include "scene/assets/asset_error.h"
#include "scene/assets/byte_order.h"

#include <string>

namespace coilrun::scene {

namespace {

constexpr std::uint32_t dirHeaderSize = 6;
constexpr std::uint32_t dirEntrySize = 16;
constexpr std::uint32_t dibHeaderSize = 40;

std::uint32_t maskStride(int width) {
    return ((std::uint32_t(width) + 31) / 32) * 4;
}

std::uint32_t imageBytes(int side) {
    return dibHeaderSize + std::uint32_t(side) * std::uint32_t(side) * 4 +
           maskStride(side) * std::uint32_t(side);
}

} // namespace

std::vector<std::uint8_t> encodeIcon(std::span<const platform::Image> images) {
    using namespace bytes;
    std::vector<std::uint8_t> out;
    putU16(out, 0);
    putU16(out, 1); // icon
    putU16(out, std::uint32_t(images.size()));
    std::uint32_t offset = dirHeaderSize + dirEntrySize * std::uint32_t(images.size());
    for (const platform::Image& img : images) {
        if (img.width != img.height || img.width < 1 || img.width > 256)
            throw AssetError("icon images must be square, 1 to 256 pixels");
        out.push_back(std::uint8_t(img.width & 0xff)); // 0 stands for 256
        out.push_back(std::uint8_t(img.height & 0xff));
        out.push_back(0); // no palette
        out.push_back(0);
        putU16(out, 1);  // planes
        putU16(out, 32); // bits
        putU32(out, imageBytes(img.width));
        putU32(out, offset);
        offset += imageBytes(img.width);
    }
    for (const platform::Image& img : images) {
        const int side = img.width;
        putU32(out, dibHeaderSize);
        putU32(out, std::uint32_t(side));
        putU32(out, std::uint32_t(side) * 2); // colour rows and mask rows
        putU16(out, 1);
        putU16(out, 32);
        putU32(out, 0);
        putU32(out, std::uint32_t(side) * std::uint32_t(side) * 4 + maskStride(side) * side);
        putU32(out, 0);
        putU32(out, 0);
        putU32(out, 0);
        putU32(out, 0);
        for (int y = side - 1; y >= 0; --y)
            for (int x = 0; x < side; ++x)
                putU32(out, img.at(x, y)); // B G R A in memory
        for (int y = side - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(maskStride(side), 0);
            for (int x = 0; x < side; ++x)
                if (platform::alpha(img.at(x, y)) == 0) row[std::size_t(x) / 8] |= 0x80 >> (x % 8);
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

std::vector<platform::Image> decodeIcon(std::span<const std::uint8_t> file) {
    using bytes::u16At;
    using bytes::u32At;
    if (file.size() < dirHeaderSize || u16At(file, 0) != 0 || u16At(file, 2) != 1)
        throw AssetError("not an icon file");
    const std::uint32_t count = u16At(file, 4);
    if (dirHeaderSize + std::uint64_t(dirEntrySize) * count > file.size())
        throw AssetError("icon directory truncated");
    std::vector<platform::Image> images;
    // Every image needs bytes of its own: entries that share them would let a small
    // file decode to gigabytes of pixels.
    std::uint64_t imageTotal = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = dirHeaderSize + dirEntrySize * i;
        const int side = file[entry] ? file[entry] : 256;
        const std::uint32_t size = u32At(file, entry + 8);
        const std::uint32_t offset = u32At(file, entry + 12);
        const std::string which = "icon image " + std::to_string(i);
        if (std::uint64_t(offset) + size > file.size() || size < dibHeaderSize)
            throw AssetError(which + " runs past the end of the file");
        auto dib = file.subspan(offset, size);
        if (u32At(dib, 0) != dibHeaderSize || u16At(dib, 14) != 32 || u32At(dib, 16) != 0)
            throw AssetError(which + " is not an uncompressed 32-bit image");
        if (int(u32At(dib, 4)) != side || u32At(dib, 8) != std::uint32_t(side) * 2)
            throw AssetError(which + " does not match its directory entry");
        if (imageBytes(side) > size) throw AssetError(which + " is truncated");
        imageTotal += imageBytes(side);
        if (dirHeaderSize + std::uint64_t(dirEntrySize) * count + imageTotal > file.size())
            throw AssetError(which + " shares its bytes with another image");
        platform::Image img;
        img.width = img.height = side;
        img.pixels.resize(std::size_t(side) * side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                img.at(x, side - 1 - y) =
                    u32At(dib, dibHeaderSize + (std::size_t(y) * side + x) * 4);
        images.push_back(std::move(img));
    }
    return images;
}

} // namespace coilrun::scene
