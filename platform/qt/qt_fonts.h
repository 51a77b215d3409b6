#pragma once
#include "engine/platform/fonts.h"

namespace coilrun::qt {

class QtFontRasterizer : public platform::FontRasterizer {
public:
    int textWidth(const platform::FontSpec& font, const std::string& text) const override;
    int textHeight(const platform::FontSpec& font, const std::string& text) const override;
    void drawText(platform::Image& target, const platform::FontSpec& font, int x, int y,
                  const std::string& text) const override;
};

class QtGlyphOutlines : public platform::GlyphOutlines {
public:
    bool outline(const platform::FontSpec& font, unsigned char code, double deviation,
                 platform::GlyphOutline& out) const override;
};

} // namespace coilrun::qt
