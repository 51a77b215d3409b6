// Any text given as a scene file either parses or is refused with a line number.
#include "scene/loader/scene_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        coilrun::scene::parseSceneFile(text);
    } catch (const coilrun::scene::SceneFileError& e) {
        if (e.line() < 1) std::abort();
    }
    return 0;
}
