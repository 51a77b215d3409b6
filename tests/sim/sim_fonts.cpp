#include "tests/sim/sim_fonts.h"

namespace coilrun::sim {

int SimFontRasterizer::textWidth(const platform::FontSpec& font, const std::string& text) const {
    int w = 0;
    for (unsigned char c : text)
        w += c == ' ' ? font.pixelSize / 4 : font.pixelSize / 2;
    return w;
}

int SimFontRasterizer::textHeight(const platform::FontSpec& font, const std::string&) const {
    return font.pixelSize;
}

void SimFontRasterizer::drawText(platform::Image& target, const platform::FontSpec& font, int x,
                                 int y, const std::string& text) const {
    int pen = x;
    for (unsigned char c : text) {
        const int w = c == ' ' ? font.pixelSize / 4 : font.pixelSize / 2;
        if (c != ' ') {
            for (int py = y; py < y + font.pixelSize && py < target.height; ++py)
                for (int px = pen + 1; px < pen + w - 1 && px < target.width; ++px)
                    if (px >= 0 && py >= 0) target.at(px, py) = 0xffffffff;
        }
        pen += w;
    }
}

bool SimGlyphOutlines::outline(const platform::FontSpec& font, unsigned char code, double,
                               platform::GlyphOutline& out) const {
    ++calls;
    out = {};
    if (font.name == "Missing") return false;
    out.cellIncX = 0.7;
    if (code == ' ') return true;
    out.contours.push_back({{0.05, 0.0}, {0.65, 0.0}, {0.65, 0.6}, {0.05, 0.6}});
    if (code == 'O' || code == '0')
        out.contours.push_back({{0.25, 0.2}, {0.25, 0.4}, {0.45, 0.4}, {0.45, 0.2}});
    out.blackBoxX = 0.6;
    out.blackBoxY = 0.6;
    out.originX = 0.05;
    out.originY = 0.6;
    return true;
}

} // namespace coilrun::sim
