#pragma once
#include "engine/platform/image.h"
#include "engine/sound/wav_file.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

// The pictures and sounds built into the program. They are made at build time
// and linked in as read-only data; nothing is read from disk.
//
// Names: "sound/<sample>" for the eight samples of the sound library (each in
// the sample container), "texture/<material>" for the seven library textures
// and "splash" (each in the picture container), and "icon" (an icon file).
namespace coilrun::scene {

// The stored bytes of the named asset, valid for the life of the program;
// empty when there is no such asset. Names are exact (case matters).
std::span<const std::uint8_t> embeddedAsset(std::string_view name);

// Every embedded asset's name, sounds first, then textures, splash and icon.
std::vector<std::string_view> embeddedAssetNames();

// The named sample ("Thema", not "sound/Thema") read from its container.
// Throws AssetError when there is none.
std::unique_ptr<engine::TGLWAVFile> embeddedSample(std::string_view sampleName);

// A picture asset ("texture/HT0", "splash") decoded. Throws AssetError when
// there is none.
platform::Image embeddedPicture(std::string_view name);

// The application icon's images, largest first.
std::vector<platform::Image> embeddedIconImages();

namespace detail {
struct EmbeddedEntry {
    const char* name;
    const std::uint8_t* data;
    std::size_t size;
};
extern const EmbeddedEntry embeddedEntries[];
extern const std::size_t embeddedEntryCount;
} // namespace detail

} // namespace coilrun::scene
