#include "scene/assets/embedded_assets.h"

#include "scene/assets/asset_error.h"
#include "scene/assets/icon_file.h"
#include "scene/assets/picture_container.h"
#include "scene/assets/sample_container.h"

#include <string>

namespace coilrun::scene {

std::span<const std::uint8_t> embeddedAsset(std::string_view name) {
    for (std::size_t i = 0; i < detail::embeddedEntryCount; ++i) {
        const detail::EmbeddedEntry& e = detail::embeddedEntries[i];
        if (name == e.name) return {e.data, e.size};
    }
    return {};
}

std::vector<std::string_view> embeddedAssetNames() {
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < detail::embeddedEntryCount; ++i)
        names.emplace_back(detail::embeddedEntries[i].name);
    return names;
}

namespace {

std::span<const std::uint8_t> required(std::string_view name) {
    auto bytes = embeddedAsset(name);
    if (bytes.empty()) throw AssetError("no embedded asset \"" + std::string(name) + "\"");
    return bytes;
}

} // namespace

std::unique_ptr<engine::TGLWAVFile> embeddedSample(std::string_view sampleName) {
    return readSampleContainer(required("sound/" + std::string(sampleName)));
}

platform::Image embeddedPicture(std::string_view name) {
    return readPictureContainer(required(name));
}

std::vector<platform::Image> embeddedIconImages() {
    return decodeIcon(required("icon"));
}

} // namespace coilrun::scene
