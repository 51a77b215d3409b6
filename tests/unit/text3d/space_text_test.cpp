#include "engine/render/frame_recorder.h"
#include "engine/render/gl_renderer.h"
#include "engine/text3d/font_manager.h"
#include "engine/text3d/space_text.h"
#include "tests/sim/sim_fonts.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

using namespace coilrun;
using namespace coilrun::engine;

namespace {

// Simulated glyphs: squares of 0.6 em on the baseline, advance 0.7 em.
class SpaceTextTest : public ::testing::Test {
protected:
    sim::SimGlyphOutlines outlines;
    FontManager manager{&outlines};
};

} // namespace

TEST_F(SpaceTextTest, TextsOfOneKeyShareOneGlyphSet) {
    auto a = std::make_unique<TGLSpaceText>(&manager);
    auto b = std::make_unique<TGLSpaceText>(&manager);
    a->setText("GAME OVER");
    b->setText("Press SPACE!");
    a->setExtrusion(0.2f);
    b->setExtrusion(0.2f);
    const GlyphSet* sa = a->ensureGlyphSet();
    const int built = outlines.calls;
    EXPECT_EQ(built, 256) << "stcrAll holds codes 0..255";
    const GlyphSet* sb = b->ensureGlyphSet();
    EXPECT_EQ(sa, sb);
    EXPECT_EQ(outlines.calls, built) << "the second user builds nothing";
    EXPECT_EQ(manager.setCount(), 1u);
    EXPECT_EQ(sa->users(), 2);

    // Releasing one leaves the other's set intact.
    a.reset();
    EXPECT_EQ(manager.setCount(), 1u);
    EXPECT_EQ(b->glyphSet()->users(), 1);
    EXPECT_NE(b->glyphSet()->metrics('G'), nullptr);
    b.reset();
    EXPECT_EQ(manager.setCount(), 0u);
}

TEST_F(SpaceTextTest, KeyChangeSwapsTheSetTextChangeDoesNot) {
    TGLSpaceText a(&manager), b(&manager);
    a.setText("0D");
    b.setText("x");
    a.ensureGlyphSet();
    b.ensureGlyphSet();
    const int built = outlines.calls;
    // The game relabels the logo text at run time: no glyph is built for it.
    a.setText("1D");
    a.setFont(platform::FontSpec{"Arial", 72});
    a.ensureGlyphSet();
    EXPECT_EQ(outlines.calls, built) << "neither text nor font size is part of the key";

    a.setExtrusion(0.2f);
    EXPECT_EQ(a.glyphSet(), nullptr) << "released at once";
    EXPECT_EQ(b.glyphSet()->users(), 1);
    a.ensureGlyphSet();
    EXPECT_NE(a.glyphSet(), b.glyphSet());
    EXPECT_EQ(manager.setCount(), 2u);
    a.setFontBold(true);
    a.setAllowedDeviation(0.01f);
    a.setCharacterRange(TGLSpaceTextCharRange::stcrNumbers);
    EXPECT_EQ(manager.setCount(), 1u) << "the extruded set had no other user";
    a.ensureGlyphSet();
    EXPECT_EQ(a.glyphSet()->glyphCount(), 10);
    EXPECT_EQ(a.glyphSet()->firstCode(), 48);
}

TEST_F(SpaceTextTest, FontCreationFailure) {
    TGLSpaceText t(&manager);
    t.setText("GAME OVER");
    t.setFontName("Missing");
    try {
        t.ensureGlyphSet();
        FAIL() << "no error";
    } catch (const TGLFontManagerError& e) {
        EXPECT_STREQ(e.what(), "FontManager: font creation failed");
    }
    EXPECT_EQ(manager.setCount(), 0u);
    FontManager noService;
    TGLSpaceText u(&noService);
    EXPECT_THROW(u.ensureGlyphSet(), TGLFontManagerError);
}

TEST_F(SpaceTextTest, MeasuringALine) {
    TGLSpaceText t(&manager);
    const TextLineExtent e = t.measureLine("GAME");
    EXPECT_FLOAT_EQ(e.width, 4 * 0.7f);
    EXPECT_FLOAT_EQ(e.height, 0.6f);
    EXPECT_FLOAT_EQ(e.descent, 0);
    // Only codes of the range count.
    t.setCharacterRange(TGLSpaceTextCharRange::stcrNumbers);
    EXPECT_FLOAT_EQ(t.measureLine("3D").width, 0.7f);
}

TEST_F(SpaceTextTest, LinesStepDownByTheirHeight) {
    TGLSpaceText t(&manager);
    t.setText("GAME\r\nOVER\nX");
    ASSERT_EQ(t.lines().size(), 3u);
    EXPECT_EQ(t.text(), "GAME\nOVER\nX");
    // No adjustment: the first line's baseline on the X axis from the origin.
    EXPECT_EQ(t.lineMatrix(0).transformPoint({0, 0, 0}), Vec3(0, 0, 0));
    const Vec3 p1 = t.lineMatrix(1).transformPoint({0, 0, 0});
    EXPECT_FLOAT_EQ(p1.y, -0.6f);
    EXPECT_FLOAT_EQ(t.lineMatrix(2).transformPoint({0, 0, 0}).y, -1.2f);
    // The aspect ratio widens X and adds to the line step.
    t.setAspectRatio(0.5f);
    EXPECT_FLOAT_EQ(t.lineMatrix(1).transformPoint({0, 0, 0}).y, -1.1f);
    EXPECT_FLOAT_EQ(t.textMatrix().transformPoint({2, 0, 0}).x, 1);
}

TEST_F(SpaceTextTest, AdjustTextHeightAndOblique) {
    TGLSpaceText t(&manager);
    t.setText("GAME");
    t.setAdjust({TGLTextHorzAdjust::haCenter, TGLTextVertAdjust::vaTop});
    Vec3 p = t.lineMatrix(0).transformPoint({0, 0, 0});
    EXPECT_FLOAT_EQ(p.x, -1.4f);
    EXPECT_FLOAT_EQ(p.y, -0.6f);
    t.setAdjust({TGLTextHorzAdjust::haRight, TGLTextVertAdjust::vaCenter});
    p = t.lineMatrix(0).transformPoint({2.8f, 0, 0});
    EXPECT_NEAR(p.x, 0, 1e-6);
    EXPECT_FLOAT_EQ(p.y, -0.3f);

    // Scaled so that the line is 1.2 high: the glyph top lands at 1.2.
    t.setAdjust({});
    t.setTextHeight(1.2f);
    p = t.lineMatrix(0).transformPoint({0.7f, 0.6f, 0});
    EXPECT_FLOAT_EQ(p.x, 1.4f);
    EXPECT_FLOAT_EQ(p.y, 1.2f);
    // A line of spaces has no height: it is not blown up to infinity.
    t.setText("   ");
    p = t.lineMatrix(0).transformPoint({1, 1, 0});
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));

    t.setOblique(90);
    p = t.textMatrix().transformPoint({1, 0, 0});
    EXPECT_NEAR(p.x, 0, 1e-6);
    EXPECT_NEAR(p.y, 1, 1e-6);
}

TEST_F(SpaceTextTest, ExtrudedGlyphsAreTheExtrusionDeep) {
    TGLSpaceText t(&manager);
    t.setExtrusion(0.2f);
    const GlyphSet* set = t.ensureGlyphSet();
    const GlyphMesh* m = set->mesh('O');
    ASSERT_NE(m, nullptr);
    float minZ = 0;
    for (const auto& v : m->vertices)
        minZ = std::min(minZ, v.position.z);
    EXPECT_FLOAT_EQ(minZ, -0.2f);
    EXPECT_TRUE(set->mesh(' ')->vertices.empty());
    EXPECT_FLOAT_EQ(set->metrics(' ')->cellIncX, 0.7f);
}

TEST_F(SpaceTextTest, NoDisplayListsToBeHad) {
    // Without a current GL context the driver hands out no display lists (the dispatcher
    // answers 0), which is how running out of them looks to the glyph set.
    TGLSpaceText t(&manager);
    const GlyphSet& set = *t.ensureGlyphSet();
    GlRenderer renderer;
    GlObjects& objects = *renderer.glObjects();
    try {
        set.compile(renderer);
        FAIL() << "no error";
    } catch (const TGLFontManagerError& e) {
        EXPECT_STREQ(e.what(), "FontManager: no more display lists available");
    }
    EXPECT_FALSE(set.compiled(objects));
    EXPECT_EQ(set.listOf('A', objects), 0u);
    EXPECT_NE(set.mesh('A'), nullptr) << "the meshes stay until they are in lists";
}

TEST_F(SpaceTextTest, DrawnLinesCallTheirGlyphsAndTheMeshesGoOnceCompiled) {
    TGLSpaceText t(&manager);
    t.setText("AB\nO");
    t.material().frontProperties().diffuse().setColor(1, 0.5f, 0, 1);
    FrameRecorder frame;
    auto draw = [&](TGLSpaceText& text) {
        RenderContext ctx(frame);
        text.doRender(ctx, true, false);
    };
    draw(t);
    ASSERT_EQ(frame.draws.size(), 2u);
    EXPECT_EQ(frame.draws[0].lists, (std::vector<unsigned char>{'A', 'B'}));
    EXPECT_EQ(frame.draws[1].lists, (std::vector<unsigned char>{'O'}));
    EXPECT_EQ(frame.draws[0].color, Vec4(1, 0.5f, 0, 1));
    const GlyphSet& set = *t.glyphSet();
    EXPECT_EQ(set.mesh('A'), nullptr);
    ASSERT_EQ(frame.listsBuilt.size(), 256u);
    const std::size_t vertices = frame.listsBuilt['O'].vertexCount();
    EXPECT_GT(vertices, frame.listsBuilt['A'].vertexCount()) << "O has a hole";

    // A lost context has the same lists made again from the outlines.
    const int calls = outlines.calls;
    frame.loseContext();
    draw(t);
    EXPECT_EQ(outlines.calls, calls + 256);
    ASSERT_EQ(frame.listsBuilt.size(), 512u);
    EXPECT_EQ(frame.listsBuilt[256 + 'O'].vertexCount(), vertices);
    EXPECT_EQ(set.metrics('O')->cellIncX, 0.7f);
}
