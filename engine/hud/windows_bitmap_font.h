#pragma once
#include "engine/hud/bitmap_font.h"
#include "engine/platform/font_description.h"
#include "engine/platform/fonts.h"

#include <stdexcept>
#include <vector>

namespace coilrun::engine {

// A run of character codes held in the glyph texture, both ends included.
struct TGLCharRange {
    int startCode = 32;
    int stopCode = 127;
    bool operator==(const TGLCharRange&) const = default;
};

// Raised when the glyphs do not fit the largest glyph texture.
class TGLFontTextureError : public std::runtime_error {
public:
    TGLFontTextureError()
        : std::runtime_error(
              "Characters are too large or too many. Unable to create font texture.") {}
};

// A bitmap font rasterised from a system font. The glyphs are built on first use and
// again only after the font or the ranges changed; storing an unchanged value rebuilds
// nothing, so the game may set the size every frame.
class TGLWindowsBitmapFont : public TGLCustomBitmapFont {
public:
    explicit TGLWindowsBitmapFont(const platform::FontRasterizer* rasterizer = nullptr);

    std::string className() const override { return "TGLWindowsBitmapFont"; }

    // The system's rasteriser; without one the font has no glyphs and draws nothing.
    void setRasterizer(const platform::FontRasterizer* rasterizer);
    const platform::FontRasterizer* rasterizer() const { return rasterizer_; }

    const platform::FontSpec& font() const { return font_; }
    void setFont(const platform::FontSpec& font);
    void setFontName(const std::string& name);
    // Height of the em in pixels.
    void setFontSize(int pixels);
    int fontSize() const { return font_.pixelSize; }
    void setFontBold(bool bold);
    void setFontItalic(bool italic);
    void setFontColor(std::uint32_t argb);
    void setFontCharset(int charset);

    // The character ranges held in the texture; new fonts hold 32..127.
    const std::vector<TGLCharRange>& ranges() const { return ranges_; }
    void setRanges(const std::vector<TGLCharRange>& ranges);

protected:
    void buildGlyphs() override;
    bool remakesGlyphs() const override { return rasterizer_ != nullptr; }

private:
    const platform::FontRasterizer* rasterizer_;
    platform::FontSpec font_;
    std::vector<TGLCharRange> ranges_{TGLCharRange{}};
};

} // namespace coilrun::engine
