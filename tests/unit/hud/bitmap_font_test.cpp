#include "engine/hud/windows_bitmap_font.h"
#include "tests/sim/sim_fonts.h"

#include <gtest/gtest.h>

using namespace coilrun;
using namespace coilrun::engine;

namespace {

// The simulated font with a count of the measurements asked of it.
class CountingRasterizer : public sim::SimFontRasterizer {
public:
    int textWidth(const platform::FontSpec& font, const std::string& text) const override {
        ++widthCalls;
        return SimFontRasterizer::textWidth(font, text);
    }
    mutable int widthCalls = 0;
};

platform::FontSpec simFont(int pixels, bool italic = false) {
    platform::FontSpec f;
    f.name = "Arial Narrow";
    f.pixelSize = pixels;
    f.bold = true;
    f.italic = italic;
    return f;
}

} // namespace

TEST(GlyphTextureSize, TakesSmallestAreaThenSquarest) {
    // 10 glyphs of 30 x 30: 128x128, 256x64 and 64x256 all hold them; the square wins.
    const auto size = chooseGlyphTextureSize(std::vector<int>(10, 30), 30);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 128);
    EXPECT_EQ(size->height, 128);

    const auto tiny = chooseGlyphTextureSize(std::vector<int>(4, 30), 30);
    ASSERT_TRUE(tiny);
    EXPECT_EQ(tiny->width * tiny->height, 64 * 64);

    // 5 glyphs of 60 x 60 need 8 cells: 256x128 or 128x256, never the larger square.
    const auto wide = chooseGlyphTextureSize(std::vector<int>(5, 60), 60);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->width * wide->height, 256 * 128);
}

TEST(GlyphTextureSize, NothingFitsWhenTooLargeOrTooMany) {
    EXPECT_FALSE(chooseGlyphTextureSize({600}, 20));
    EXPECT_FALSE(chooseGlyphTextureSize({20}, 600));
    EXPECT_FALSE(chooseGlyphTextureSize(std::vector<int>(1000, 30), 30));
    // Glyphs without width take no room at all.
    const auto empty = chooseGlyphTextureSize(std::vector<int>(300, 0), 600);
    EXPECT_TRUE(empty);
}

TEST(GlyphTextureSize, PackedGlyphsNeverOverlap) {
    std::vector<int> widths;
    for (int i = 0; i < 96; ++i)
        widths.push_back(5 + (i * 7) % 23);
    const auto size = chooseGlyphTextureSize(widths, 25);
    ASSERT_TRUE(size);
    std::vector<GlyphPlace> places;
    ASSERT_EQ(packGlyphs(widths, 25, size->width, size->height, &places), 96);
    for (std::size_t i = 0; i < places.size(); ++i) {
        ASSERT_TRUE(places[i].placed);
        EXPECT_LE(places[i].x + widths[i], size->width);
        EXPECT_LE(places[i].y + 25, size->height);
        for (std::size_t j = 0; j < i; ++j) {
            const bool apart = places[i].x >= places[j].x + widths[j] ||
                               places[j].x >= places[i].x + widths[i] ||
                               places[i].y >= places[j].y + 25 || places[j].y >= places[i].y + 25;
            EXPECT_TRUE(apart) << i << " overlaps " << j;
        }
    }
}

TEST(WindowsBitmapFont, CellSizesFromTheSystemFont) {
    sim::SimFontRasterizer r;
    TGLWindowsBitmapFont font(&r);
    font.setFont(simFont(20));
    // The simulated font: 10 px per character, 20 px high.
    EXPECT_EQ(font.charWidth(), 12);
    EXPECT_EQ(font.charHeight(), 22);
    EXPECT_EQ(font.italicOffset(), 0);
    EXPECT_EQ(font.glyphWidth('A'), 10);
    EXPECT_EQ(font.glyphWidth(' '), 5);
    // Outside the default range 32..127: no glyph.
    EXPECT_EQ(font.glyphWidth(200), 0);
    EXPECT_EQ(font.glyphWidth(10), 0);

    font.setFontItalic(true);
    EXPECT_EQ(font.italicOffset(), -4);
    EXPECT_EQ(font.charWidth(), 16);
    EXPECT_EQ(font.glyphWidth('A'), 14);
}

TEST(WindowsBitmapFont, StringWidth) {
    sim::SimFontRasterizer r;
    TGLWindowsBitmapFont font(&r);
    font.setFont(simFont(20));
    EXPECT_EQ(font.textWidth(""), 0);
    EXPECT_EQ(font.textWidth("W"), 10);
    // 4 x (0 + 1) - 1 + 10 + 10 + 5 + 10
    EXPECT_EQ(font.textWidth("AB C"), 38);
    font.setHSpace(3);
    EXPECT_EQ(font.textWidth("AB C"), 4 * 3 - 3 + 35);
    font.setHSpace(1);
    font.setFontItalic(true);
    // 2 x (-4 + 1) - 1 + 14 + 14
    EXPECT_EQ(font.textWidth("AB"), 21);
}

TEST(WindowsBitmapFont, RebuildsOnlyAfterTheFontChanged) {
    CountingRasterizer r;
    TGLWindowsBitmapFont font(&r);
    font.setFont(simFont(20));
    EXPECT_EQ(font.buildCount(), 0) << "built lazily";
    font.charHeight();
    EXPECT_EQ(font.buildCount(), 1);
    const int calls = r.widthCalls;
    // The game sets the size from the window height on every layout tick.
    for (int i = 0; i < 100; ++i) {
        font.setFontSize(20);
        font.setRanges({TGLCharRange{32, 127}});
        font.textWidth("Level");
    }
    EXPECT_EQ(font.buildCount(), 1);
    EXPECT_EQ(r.widthCalls, calls);

    font.setFontSize(30);
    EXPECT_EQ(font.charHeight(), 32);
    EXPECT_EQ(font.buildCount(), 2);
    font.setRanges({TGLCharRange{48, 57}});
    EXPECT_EQ(font.glyphWidth('A'), 0);
    EXPECT_EQ(font.glyphWidth('5'), 15);
    EXPECT_EQ(font.buildCount(), 3);
}

TEST(WindowsBitmapFont, TooLargeFontFallsBackToSizeSix) {
    sim::SimFontRasterizer r;
    TGLWindowsBitmapFont font(&r);
    font.setFont(simFont(200));
    try {
        font.charHeight();
        FAIL() << "no error";
    } catch (const TGLFontTextureError& e) {
        EXPECT_STREQ(e.what(),
                     "Characters are too large or too many. Unable to create font texture.");
    }
    EXPECT_EQ(font.fontSize(), 6);
    EXPECT_EQ(font.charHeight(), 8);
    EXPECT_FALSE(font.glyphImage().empty());
}

TEST(WindowsBitmapFont, GlyphImageHoldsWhiteCoverage) {
    sim::SimFontRasterizer r;
    TGLWindowsBitmapFont font(&r);
    font.setFont(simFont(20));
    const platform::Image& img = font.glyphImage();
    ASSERT_FALSE(img.empty());
    // 96 glyphs of 10 px (a space 5) in rows of 22: 23 a row in 5 rows of 256 x 128.
    EXPECT_EQ(img.width, 256);
    EXPECT_EQ(img.height, 128);
    // The quad of 'A' covers inked texels only inside its cell.
    const Vec3 origin{0, 0, 0};
    const auto quads = font.layoutString("A", TGLTextAlignment::taLeftJustify, TGLTextLayout::tlTop,
                                         &origin, true);
    ASSERT_EQ(quads.size(), 1u);
    const int x0 = int(quads[0].s0 * float(img.width) + 0.5f);
    const int y0 = int(quads[0].t0 * float(img.height) + 0.5f);
    EXPECT_EQ(platform::alpha(img.at(x0 + 5, y0 + 10)), 255);
    EXPECT_EQ(img.at(x0 + 5, y0 + 10) & 0xffffff, 0xffffffu);
    int inked = 0;
    for (std::uint32_t p : img.pixels)
        inked += platform::alpha(p) > 0;
    // The simulated glyphs ink 8 x 20 pixels each (a space none).
    EXPECT_EQ(inked, 95 * 8 * 20);
}

TEST(WindowsBitmapFont, NoRasterizerNoGlyphs) {
    TGLWindowsBitmapFont font;
    EXPECT_TRUE(font.glyphImage().empty());
    EXPECT_TRUE(font.layoutString("abc", TGLTextAlignment::taLeftJustify, TGLTextLayout::tlTop,
                                  nullptr, true)
                    .empty());
}

TEST(BitmapFontLayout, AlignmentLinesAndSkippedCharacters) {
    sim::SimFontRasterizer r;
    TGLWindowsBitmapFont font(&r);
    font.setFont(simFont(20)); // 10 px glyphs, spaces 5, CharHeight 22, spacing 1
    const Vec3 at{100, 50, 0};
    auto quads =
        font.layoutString("AB C", TGLTextAlignment::taLeftJustify, TGLTextLayout::tlTop, &at, true);
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_FLOAT_EQ(quads[0].x, 100);
    EXPECT_FLOAT_EQ(quads[1].x, 111);
    EXPECT_FLOAT_EQ(quads[2].x, 128); // after the space: 5 + 1
    EXPECT_FLOAT_EQ(quads[0].y, 50);
    EXPECT_FLOAT_EQ(quads[0].height, 22);

    // Centred lines each start at minus half their own width; a CR steps a line down.
    quads = font.layoutString("AB\rABCD\tx\x01", TGLTextAlignment::taCenter, TGLTextLayout::tlTop,
                              nullptr, true);
    ASSERT_EQ(quads.size(), 7u) << "control characters are ignored";
    EXPECT_FLOAT_EQ(quads[0].x, -(21 / 2));
    EXPECT_FLOAT_EQ(quads[2].x, -28); // "ABCD\tx\x01" measures 7 - 1 + 50
    EXPECT_FLOAT_EQ(quads[2].y, 23);

    // Right-justified with an upward Y axis, laid out from the bottom of the block.
    quads = font.layoutString("AB\rC", TGLTextAlignment::taRightJustify, TGLTextLayout::tlBottom,
                              nullptr, false);
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_FLOAT_EQ(quads[1].x + quads[1].width, 0);
    EXPECT_FLOAT_EQ(quads[0].y, 45); // block of two lines: 22 + 1 + 22
    EXPECT_FLOAT_EQ(quads[2].y, 22);
    EXPECT_FLOAT_EQ(quads[2].x, -10);

    quads = font.layoutString("A", TGLTextAlignment::taLeftJustify, TGLTextLayout::tlCenter,
                              nullptr, false);
    EXPECT_FLOAT_EQ(quads[0].y, 11);
    EXPECT_TRUE(
        font.layoutString("", TGLTextAlignment::taCenter, TGLTextLayout::tlTop, nullptr, true)
            .empty());
}
