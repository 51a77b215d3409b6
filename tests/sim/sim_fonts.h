#pragma once
#include "engine/platform/fonts.h"

namespace coilrun::sim {

// A font without a font file: every character is a cell 0.5 em wide and 1 em
// high, drawn as a filled box. Enough for layout arithmetic in tests.
class SimFontRasterizer : public platform::FontRasterizer {
public:
    int textWidth(const platform::FontSpec& font, const std::string& text) const override;
    int textHeight(const platform::FontSpec& font, const std::string& text) const override;
    void drawText(platform::Image& target, const platform::FontSpec& font, int x, int y,
                  const std::string& text) const override;
};

// Every glyph a square outline of 0.6 em with an advance of 0.7 em.
class SimGlyphOutlines : public platform::GlyphOutlines {
public:
    bool outline(const platform::FontSpec& font, unsigned char code, double deviation,
                 platform::GlyphOutline& out) const override;
};

} // namespace coilrun::sim
