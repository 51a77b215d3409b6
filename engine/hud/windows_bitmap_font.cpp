#include "engine/hud/windows_bitmap_font.h"

#include <algorithm>

namespace coilrun::engine {

TGLWindowsBitmapFont::TGLWindowsBitmapFont(const platform::FontRasterizer* rasterizer)
    : rasterizer_(rasterizer) {}

void TGLWindowsBitmapFont::setRasterizer(const platform::FontRasterizer* rasterizer) {
    if (rasterizer == rasterizer_) return;
    rasterizer_ = rasterizer;
    invalidate();
}

void TGLWindowsBitmapFont::setFont(const platform::FontSpec& font) {
    if (font == font_) return;
    font_ = font;
    invalidate();
}

void TGLWindowsBitmapFont::setFontName(const std::string& name) {
    platform::FontSpec f = font_;
    f.name = name;
    setFont(f);
}

void TGLWindowsBitmapFont::setFontSize(int pixels) {
    platform::FontSpec f = font_;
    f.pixelSize = pixels;
    setFont(f);
}

void TGLWindowsBitmapFont::setFontBold(bool bold) {
    platform::FontSpec f = font_;
    f.bold = bold;
    setFont(f);
}

void TGLWindowsBitmapFont::setFontItalic(bool italic) {
    platform::FontSpec f = font_;
    f.italic = italic;
    setFont(f);
}

void TGLWindowsBitmapFont::setFontColor(std::uint32_t argb) {
    platform::FontSpec f = font_;
    f.color = argb;
    setFont(f);
}

void TGLWindowsBitmapFont::setFontCharset(int charset) {
    platform::FontSpec f = font_;
    f.charset = charset;
    setFont(f);
}

void TGLWindowsBitmapFont::setRanges(const std::vector<TGLCharRange>& ranges) {
    if (ranges == ranges_) return;
    ranges_ = ranges;
    invalidate();
}

void TGLWindowsBitmapFont::buildGlyphs() {
    glyphWidths_.fill(0);
    places_.fill(GlyphPlace{});
    image_ = {};
    if (!rasterizer_) return;
    const platform::FontRasterizer& r = *rasterizer_;

    charWidth_ =
        std::max({r.textWidth(font_, "_"), r.textWidth(font_, "W"), r.textWidth(font_, "M")}) + 2;
    charHeight_ = r.textHeight(font_, "\"_pI|,") + 2;
    italicOffset_ = 0;
    if (font_.italic) {
        italicOffset_ = -(charWidth_ / 3);
        charWidth_ += charWidth_ / 3;
    }

    // Codes in range order, each once, so that overlapping ranges take no extra room.
    std::vector<unsigned char> codes;
    std::array<bool, 256> seen{};
    for (const TGLCharRange& range : ranges_) {
        for (int c = std::max(range.startCode, 0); c <= std::min(range.stopCode, 255); ++c) {
            if (seen[c]) continue;
            seen[c] = true;
            codes.push_back(static_cast<unsigned char>(c));
        }
    }
    std::vector<int> widths;
    widths.reserve(codes.size());
    for (unsigned char c : codes) {
        const int pixels = r.textWidth(font_, std::string(1, char(c)));
        const int w = pixels > 0 ? pixels - italicOffset_ : 0;
        glyphWidths_[c] = w;
        widths.push_back(w);
    }
    if (codes.empty()) return;

    const std::optional<GlyphTextureSize> size = chooseGlyphTextureSize(widths, charHeight_);
    if (!size) {
        // A smaller font fits next time; the caller learns why this one did not.
        glyphWidths_.fill(0);
        font_.pixelSize = 6;
        invalidate();
        throw TGLFontTextureError();
    }
    std::vector<GlyphPlace> places;
    packGlyphs(widths, charHeight_, size->width, size->height, &places);

    platform::Image canvas;
    canvas.width = size->width;
    canvas.height = size->height;
    // Black background: no coverage anywhere a glyph does not ink.
    canvas.pixels.assign(std::size_t(canvas.width) * canvas.height, 0x00ffffffu);
    platform::Image glyph;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (!places[i].placed) continue;
        places_[codes[i]] = places[i];
        const int w = widths[i];
        // Each glyph is drawn alone into its own cell so that overhanging strokes of a
        // neighbour cannot leak into it.
        glyph.width = w;
        glyph.height = charHeight_;
        glyph.pixels.assign(std::size_t(w) * charHeight_, 0u);
        r.drawText(glyph, font_, 0, 1, std::string(1, char(codes[i])));
        for (int y = 0; y < charHeight_; ++y) {
            for (int x = 0; x < w; ++x) {
                const std::uint32_t p = glyph.at(x, y);
                // Coverage goes to alpha so that the colour modulates white glyphs.
                const int lum = std::max({platform::red(p), platform::green(p), platform::blue(p)});
                const int cover = platform::alpha(p) * lum / 255;
                canvas.at(places[i].x + x, places[i].y + y) =
                    (std::uint32_t(cover) << 24) | 0x00ffffffu;
            }
        }
    }
    image_ = std::move(canvas);
}

} // namespace coilrun::engine
