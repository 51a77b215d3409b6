#include "engine/hud/bitmap_font.h"

#include <algorithm>
#include <cstdlib>

namespace coilrun::engine {

int packGlyphs(const std::vector<int>& widths, int rowHeight, int width, int height,
               std::vector<GlyphPlace>* places) {
    if (places) places->assign(widths.size(), GlyphPlace{});
    int fitted = 0;
    int x = 0, y = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const int w = widths[i];
        if (w <= 0) {
            ++fitted;
            continue;
        }
        if (w > width) continue; // no row is wide enough for it
        if (x + w > width) {
            x = 0;
            y += rowHeight + 1;
        }
        if (y + rowHeight > height) continue;
        if (places) (*places)[i] = GlyphPlace{x, y, true};
        ++fitted;
        // The gap keeps linear filtering from bleeding a neighbour into a scaled glyph.
        x += w + 1;
    }
    return fitted;
}

std::optional<GlyphTextureSize> chooseGlyphTextureSize(const std::vector<int>& widths,
                                                       int rowHeight) {
    static constexpr int kSides[] = {64, 128, 256, 512};
    std::optional<GlyphTextureSize> best;
    for (int h : kSides) {
        for (int w : kSides) {
            if (packGlyphs(widths, rowHeight, w, h) != int(widths.size())) continue;
            if (!best) {
                best = GlyphTextureSize{w, h};
                continue;
            }
            const long area = long(w) * h, bestArea = long(best->width) * best->height;
            if (area < bestArea ||
                (area == bestArea && std::abs(w - h) < std::abs(best->width - best->height)))
                best = GlyphTextureSize{w, h};
        }
    }
    return best;
}

TGLCustomBitmapFont::TGLCustomBitmapFont() = default;

TGLCustomBitmapFont::~TGLCustomBitmapFont() = default;

void TGLCustomBitmapFont::invalidate() {
    dirty_ = true;
    ++textureVersion_;
}

void TGLCustomBitmapFont::runBuild() {
    // buildGlyphs may ask for metrics, which must not start another build.
    building_ = true;
    try {
        buildGlyphs();
    } catch (...) {
        building_ = false;
        throw;
    }
    building_ = false;
}

void TGLCustomBitmapFont::ensureBuilt() {
    if (!dirty_ || building_) return;
    dirty_ = false;
    ++textureVersion_;
    ++buildCount_;
    imageDropped_ = false;
    imageWidth_ = imageHeight_ = 0;
    runBuild();
    imageWidth_ = image_.width;
    imageHeight_ = image_.height;
}

void TGLCustomBitmapFont::restoreImage() {
    if (!imageDropped_ || building_) return;
    imageDropped_ = false;
    runBuild();
}

int TGLCustomBitmapFont::charWidth() {
    ensureBuilt();
    return charWidth_;
}

int TGLCustomBitmapFont::charHeight() {
    ensureBuilt();
    return charHeight_;
}

int TGLCustomBitmapFont::italicOffset() {
    ensureBuilt();
    return italicOffset_;
}

void TGLCustomBitmapFont::setCharWidth(int v) {
    charWidth_ = v;
}

void TGLCustomBitmapFont::setCharHeight(int v) {
    charHeight_ = v;
}

void TGLCustomBitmapFont::setHSpace(int v) {
    hSpace_ = v;
}

void TGLCustomBitmapFont::setVSpace(int v) {
    vSpace_ = v;
}

void TGLCustomBitmapFont::setMagFilter(TGLMagFilter f) {
    if (f == magFilter_) return;
    magFilter_ = f;
    ++textureVersion_;
}

void TGLCustomBitmapFont::setMinFilter(TGLMinFilter f) {
    if (f == minFilter_) return;
    minFilter_ = f;
    ++textureVersion_;
}

int TGLCustomBitmapFont::glyphWidth(unsigned char c) {
    ensureBuilt();
    return glyphWidths_[c];
}

int TGLCustomBitmapFont::textWidth(const std::string& text) {
    if (text.empty()) return 0;
    ensureBuilt();
    int sum = 0;
    for (unsigned char c : text)
        sum += glyphWidths_[c];
    return int(text.size()) * (italicOffset_ + hSpace_) - hSpace_ + sum;
}

int TGLCustomBitmapFont::textBlockHeight(const std::string& text) {
    if (text.empty()) return 0;
    ensureBuilt();
    int lines = 1;
    for (char c : text)
        if (c == '\r') ++lines;
    return lines * charHeight_ + (lines - 1) * vSpace_;
}

const platform::Image& TGLCustomBitmapFont::glyphImage() {
    ensureBuilt();
    restoreImage();
    return image_;
}

std::vector<GlyphQuad> TGLCustomBitmapFont::layoutString(const std::string& text,
                                                         TGLTextAlignment alignment,
                                                         TGLTextLayout layout, const Vec3* point,
                                                         bool yDown) {
    std::vector<GlyphQuad> quads;
    ensureBuilt();
    if (imageWidth_ <= 0 || imageHeight_ <= 0 || text.empty()) return quads;

    const float down = yDown ? 1.0f : -1.0f;
    auto lineStartX = [&](std::size_t from) {
        const std::size_t end = text.find('\r', from);
        const int w = textWidth(text.substr(from, end == std::string::npos ? end : end - from));
        switch (alignment) {
        case TGLTextAlignment::taCenter:
            return float(-(w / 2));
        case TGLTextAlignment::taRightJustify:
            return float(-w);
        default:
            return 0.0f;
        }
    };
    const float blockHeight = float(textBlockHeight(text));
    float top = 0;
    if (layout == TGLTextLayout::tlCenter) top = -down * float(int(blockHeight) / 2);
    if (layout == TGLTextLayout::tlBottom) top = -down * blockHeight;

    const float originX = point ? point->x : 0.0f;
    const float originY = point ? point->y : 0.0f;
    float penX = originX + lineStartX(0);
    float penY = originY + top;
    const float invW = 1.0f / float(imageWidth_), invH = 1.0f / float(imageHeight_);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            penX = originX + lineStartX(i + 1);
            penY += down * float(charHeight_ + vSpace_);
            continue;
        }
        const int w = glyphWidths_[c];
        if (c == ' ') {
            penX += float(w + italicOffset_ + hSpace_);
            continue;
        }
        if (c < 33 || w <= 0) continue;
        const GlyphPlace& p = places_[c];
        if (p.placed) {
            quads.push_back(GlyphQuad{penX, penY, float(w), float(charHeight_), float(p.x) * invW,
                                      float(p.y) * invH, float(p.x + w) * invW,
                                      float(p.y + charHeight_) * invH});
        }
        // Slanted glyphs overlap by the italic offset, as the width of a string counts them.
        penX += float(w + italicOffset_ + hSpace_);
    }
    return quads;
}

void TGLCustomBitmapFont::renderString(const std::string& text, TGLTextAlignment alignment,
                                       TGLTextLayout layout, const Vec4& color, const Vec3* point,
                                       bool yDown, RenderBackend& backend) {
    const std::vector<GlyphQuad> quads = layoutString(text, alignment, layout, point, yDown);
    if (quads.empty()) return;
    bool uploaded = false;
    QuadTexture texture;
    texture.owner = &glOwner_;
    texture.version = textureVersion_;
    // The font's filters are listed in the backend's order.
    static_assert(int(TGLMinFilter::miLinearMipmapLinear) ==
                  int(TextureMinFilter::linearMipmapLinear));
    texture.minFilter = static_cast<TextureMinFilter>(int(minFilter_));
    texture.magNearest = magFilter_ == TGLMagFilter::maNearest;
    texture.image = [&]() -> const platform::Image* {
        uploaded = true;
        restoreImage();
        return &image_;
    };
    QuadBatch batch;
    batch.color = color;
    batch.texture = &texture;
    batch.quads.reserve(quads.size());
    const float down = yDown ? 1.0f : -1.0f;
    for (const GlyphQuad& q : quads)
        batch.quads.push_back(
            {q.x, q.y, q.x + q.width, q.y + down * q.height, q.s0, q.t0, q.s1, q.t1});
    backend.drawQuads(batch);
    if (uploaded && remakesGlyphs()) {
        image_ = platform::Image{};
        imageDropped_ = true;
    }
}

void TGLCustomBitmapFont::textOut(int x, int y, const std::string& text, const Vec4& color,
                                  RenderBackend& backend) {
    const Vec3 p{float(x), float(y), 0};
    renderString(text, TGLTextAlignment::taLeftJustify, TGLTextLayout::tlTop, color, &p, true,
                 backend);
}

} // namespace coilrun::engine
