// Any bytes given as a stored picture, or as a bare bitmap file, decode to a
// whole picture or are refused with AssetError, leaving the stream where it was.
#include "scene/assets/asset_error.h"
#include "scene/assets/bmp_file.h"
#include "scene/assets/picture_container.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

using namespace coilrun;

void require(bool ok) {
    if (!ok) std::abort();
}

void checkImage(const platform::Image& image) {
    require(image.width > 0 && image.height > 0);
    require(image.width <= 16384 && image.height <= 16384);
    require(image.pixels.size() == std::size_t(image.width) * std::size_t(image.height));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);

    engine::ByteStream stream(bytes);
    try {
        checkImage(scene::readPictureContainer(stream));
        // One length byte, "TBitmap", the 4-byte count and at least the two headers.
        require(stream.position() >= 1 + scene::pictureClassName.size() + 4 + 54);
    } catch (const scene::AssetError&) {
        require(stream.position() == 0);
    }

    try {
        checkImage(scene::decodeBmp(bytes));
    } catch (const scene::AssetError&) {
    }
    return 0;
}
