#include "scene/assets/picture_container.h"

#include "scene/assets/asset_error.h"
#include "scene/assets/bmp_file.h"
#include "scene/assets/byte_order.h"

#include <string>

namespace coilrun::scene {

std::vector<std::uint8_t> writePictureContainer(const platform::Image& image) {
    const std::vector<std::uint8_t> bmp = encodeBmp24(image);
    std::vector<std::uint8_t> out;
    out.reserve(1 + pictureClassName.size() + 4 + bmp.size());
    out.push_back(std::uint8_t(pictureClassName.size()));
    bytes::putText(out, pictureClassName);
    bytes::putU32(out, std::uint32_t(bmp.size()));
    out.insert(out.end(), bmp.begin(), bmp.end());
    return out;
}

platform::Image readPictureContainer(engine::ByteStream& stream) {
    const std::size_t start = stream.position();
    auto fail = [&](const std::string& why) {
        stream.seek(start);
        throw AssetError(why);
    };
    auto length = stream.take(1);
    if (length.empty()) fail("picture container truncated before its class name");
    auto name = stream.take(length[0]);
    if (name.size() != length[0]) fail("picture container truncated in its class name");
    const std::string className(name.begin(), name.end());
    // TBitmap is the only picture class the program registers.
    if (className != pictureClassName) fail("unknown picture class \"" + className + "\"");
    std::uint32_t count = 0;
    if (!stream.readU32(count)) fail("picture container truncated before its byte count");
    auto file = stream.take(count);
    if (file.size() != count)
        fail("picture container truncated: " + std::to_string(count) + " bytes announced, " +
             std::to_string(stream.remaining()) + " left");
    try {
        return decodeBmp(file);
    } catch (const AssetError&) {
        stream.seek(start);
        throw;
    }
}

platform::Image readPictureContainer(std::span<const std::uint8_t> stored) {
    engine::ByteStream stream(stored);
    return readPictureContainer(stream);
}

} // namespace coilrun::scene
