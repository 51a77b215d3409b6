#pragma once
#include <cstdint>
#include <string>

namespace coilrun::platform {

// A system font as the program names it: the platform resolves the name
// (fontconfig maps "Arial", "Arial Narrow", "Tahoma" ... to what is installed).
struct FontSpec {
    std::string name = "Arial";
    int pixelSize = 16; // height of the em in pixels
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint32_t color = 0xffffffff; // 0xAARRGGBB
    int charset = 0;                  // 0 = ANSI

    bool operator==(const FontSpec&) const = default;
};

} // namespace coilrun::platform
