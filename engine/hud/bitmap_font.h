#pragma once
#include "engine/objects/component.h"
#include "engine/objects/vector_math.h"
#include "engine/platform/image.h"
#include "engine/render/gl_objects.h"
#include "engine/render/render_context.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace coilrun::engine {

enum class TGLMagFilter { maNearest, maLinear };
enum class TGLMinFilter {
    miNearest,
    miLinear,
    miNearestMipmapNearest,
    miLinearMipmapNearest,
    miNearestMipmapLinear,
    miLinearMipmapLinear
};
enum class TGLTextAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TGLTextLayout { tlTop, tlCenter, tlBottom };

// Where a glyph sits in the glyph image, in pixels from the image's top-left.
struct GlyphPlace {
    int x = 0, y = 0;
    bool placed = false;
};

struct GlyphTextureSize {
    int width = 0, height = 0;
};

// Packs glyphs of the given widths into rows of rowHeight pixels, left to right and top
// to bottom with a one-pixel gap, in a width x height image. Returns how many of them fit
// (glyphs of width 0 take no place and always count as fitting); places, when given,
// receives the place of every glyph that fits.
int packGlyphs(const std::vector<int>& widths, int rowHeight, int width, int height,
               std::vector<GlyphPlace>* places = nullptr);

// The glyph texture size among 64, 128, 256 and 512 on each side that holds every glyph:
// the smallest area, on equal area the squarest. None when no size holds them all.
std::optional<GlyphTextureSize> chooseGlyphTextureSize(const std::vector<int>& widths,
                                                       int rowHeight);

// One textured rectangle of a laid-out string, in the caller's pixel units. (x, y) is the
// pen corner the glyph hangs from: y grows downward when the caller asked for a downward
// Y axis, so the quad spans y..y+height, otherwise y-height..y.
struct GlyphQuad {
    float x = 0, y = 0;
    float width = 0, height = 0;
    // Texture coordinates of the glyph's top-left and bottom-right corners (t runs down
    // the image).
    float s0 = 0, t0 = 0, s1 = 0, t1 = 0;
};

// A font whose glyphs are held in one texture, white on black, with a width per character
// and one height for all. TGLWindowsBitmapFont fills it from a system font.
class TGLCustomBitmapFont : public TGLComponent {
public:
    TGLCustomBitmapFont();
    ~TGLCustomBitmapFont() override;

    std::string className() const override { return "TGLCustomBitmapFont"; }

    // Cell size in pixels; for a system font they come from its metrics.
    int charWidth();
    int charHeight();
    void setCharWidth(int v);
    void setCharHeight(int v);
    // Pixels between glyphs on a line and between lines.
    int hSpace() const { return hSpace_; }
    int vSpace() const { return vSpace_; }
    void setHSpace(int v);
    void setVSpace(int v);
    // Negative for an italic font: the extra room its slanted glyphs need.
    int italicOffset();

    TGLMagFilter magFilter() const { return magFilter_; }
    TGLMinFilter minFilter() const { return minFilter_; }
    void setMagFilter(TGLMagFilter f);
    void setMinFilter(TGLMinFilter f);

    // Width in pixels of character code c, 0 when it has no glyph.
    int glyphWidth(unsigned char c);
    // Width of text in pixels as a menu measures a line.
    int textWidth(const std::string& text);
    // Height in pixels of a block of text whose lines are separated by carriage returns.
    int textBlockHeight(const std::string& text);

    // The glyph image (white glyphs with coverage in alpha), built on first use. A font
    // that can make its glyphs again drops the image once a context holds it as a texture
    // and makes it again when one needs it.
    const platform::Image& glyphImage();
    // Whether the image is in memory now.
    bool holdsGlyphImage() const { return !image_.empty(); }
    // Times the glyphs have been laid out and drawn into the image.
    int buildCount() const { return buildCount_; }

    // Lays text out as textured quads. With a point the pen starts there, else at the
    // origin. yDown tells the direction of the caller's Y axis.
    std::vector<GlyphQuad> layoutString(const std::string& text, TGLTextAlignment alignment,
                                        TGLTextLayout layout, const Vec3* point, bool yDown);

    // Draws text through backend in its current matrix, the glyph texture modulated by
    // color. The texture is kept in the context drawn into (each context has its own
    // copy), uploaded again when it is missing there or older than the glyphs.
    void renderString(const std::string& text, TGLTextAlignment alignment, TGLTextLayout layout,
                      const Vec4& color, const Vec3* point, bool yDown, RenderBackend& backend);
    // Text at a point with a downward Y axis, laid out top-left.
    void textOut(int x, int y, const std::string& text, const Vec4& color,
                 RenderBackend& backend);

protected:
    // Fills the cell sizes, glyph widths and glyph image. The base class keeps whatever
    // was stored by hand.
    virtual void buildGlyphs() {}
    // Whether buildGlyphs makes the same glyphs again from the font's own source, so that
    // the image may be dropped once uploaded. Glyphs stored by hand cannot be.
    virtual bool remakesGlyphs() const { return false; }
    // The glyphs must be laid out again before their next use.
    void invalidate();

    // For subclasses filling the tables.
    std::array<int, 256> glyphWidths_{};
    std::array<GlyphPlace, 256> places_{};
    platform::Image image_;
    int charWidth_ = 16;
    int charHeight_ = 16;
    int italicOffset_ = 0;

private:
    void ensureBuilt();
    void runBuild();
    // Makes the dropped image again, the same as before: no version moves on.
    void restoreImage();

    int hSpace_ = 1;
    int vSpace_ = 1;
    TGLMagFilter magFilter_ = TGLMagFilter::maLinear;
    TGLMinFilter minFilter_ = TGLMinFilter::miLinear;
    bool dirty_ = true;
    bool building_ = false;
    int buildCount_ = 0;
    // The image went after its upload; its size stays for laying out.
    bool imageDropped_ = false;
    int imageWidth_ = 0, imageHeight_ = 0;
    GlObjectOwner glOwner_;
    // Grows with every change of the image or its sampling.
    std::uint64_t textureVersion_ = 1;
};

} // namespace coilrun::engine
