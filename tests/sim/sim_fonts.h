#pragma once
#include "engine/platform/fonts.h"

namespace coilrun::sim {

// A font without a font file: every character is a cell 0.5 em wide and 1 em
// high (a space 0.25 em), drawn as a filled box. Enough for layout arithmetic in tests.
class SimFontRasterizer : public platform::FontRasterizer {
public:
    int textWidth(const platform::FontSpec& font, const std::string& text) const override;
    int textHeight(const platform::FontSpec& font, const std::string& text) const override;
    void drawText(platform::Image& target, const platform::FontSpec& font, int x, int y,
                  const std::string& text) const override;
};

// Every glyph a square outline of 0.6 em standing on the baseline with an advance of
// 0.7 em; 'O' and '0' have a square hole, a space has no ink. A font named "Missing"
// cannot be had.
class SimGlyphOutlines : public platform::GlyphOutlines {
public:
    bool outline(const platform::FontSpec& font, unsigned char code, double deviation,
                 platform::GlyphOutline& out) const override;
    // How many outlines were asked for, to tell a built glyph set from a shared one.
    mutable int calls = 0;
};

} // namespace coilrun::sim
