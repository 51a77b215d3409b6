// Any bytes given as an icon file decode to square pictures or are refused
// with AssetError.
#include "scene/assets/asset_error.h"
#include "scene/assets/icon_file.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace coilrun;
    try {
        for (const platform::Image& image : scene::decodeIcon(std::span(data, size))) {
            if (image.width != image.height || image.width < 1 || image.width > 256 ||
                image.pixels.size() != std::size_t(image.width) * std::size_t(image.height))
                std::abort();
        }
    } catch (const scene::AssetError&) {
    }
    return 0;
}
