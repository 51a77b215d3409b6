#pragma once
#include "engine/platform/fonts.h"

#include <QRawFont>
#include <optional>

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

private:
    // A glyph set asks for every code of one font in a row: the resolved font is kept.
    mutable std::optional<platform::FontSpec> cachedSpec_;
    mutable QRawFont cachedFont_;
};

} // namespace coilrun::qt
