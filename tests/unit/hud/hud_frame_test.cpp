// A HUD frame recorded without a GL context: what the overlay pass sends, where and in
// which colour.
#include "engine/hud/game_menu.h"
#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/hud/windows_bitmap_font.h"
#include "engine/render/frame_recorder.h"
#include "tests/sim/sim_fonts.h"

#include <gtest/gtest.h>

using namespace coilrun;
using namespace coilrun::engine;

namespace {

using Kind = FrameRecorder::Kind;

class HudFrameTest : public ::testing::Test {
protected:
    HudFrameTest() {
        font.setRasterizer(&rasterizer);
        platform::FontSpec f;
        f.name = "Arial Narrow";
        f.pixelSize = 20; // glyphs 10 px wide, a space 5, CharHeight 22
        font.setFont(f);
    }
    FrameRecorder record() {
        FrameRecorder frame;
        RenderContext ctx(frame);
        ctx.viewportWidth = 640;
        ctx.viewportHeight = 480;
        ctx.renderScene(root);
        EXPECT_EQ(frame.unbalanced, 0);
        return frame;
    }
    TGLHUDText& addText(const std::string& s, float x, float y, const Vec4& color) {
        auto& t = root.addNewChild<TGLHUDText>();
        t.setBitmapFont(&font);
        t.setText(s);
        t.setPosition(x, y, 0);
        t.setModulateColor(color);
        return t;
    }

    sim::SimFontRasterizer rasterizer;
    TGLWindowsBitmapFont font;
    TGLBaseSceneObject root;
};

} // namespace

TEST_F(HudFrameTest, SpriteTextAndMenuInTreeOrderWithoutWhatIsFadedOut) {
    auto& bar = root.addNewChild<TGLHUDSprite>();
    bar.setName("bar");
    bar.setPosition(100, 50, 0);
    bar.setWidth(30);
    bar.setHeight(20);
    auto& faded = root.addNewChild<TGLHUDSprite>();
    faded.setName("faded");
    faded.material().setBlendingMode(TGLBlendingMode::bmTransparency);
    faded.material().frontProperties().diffuse().setColor(1, 1, 1, 0);
    addText("AB", 10, 20, {1, 0, 0, 1});
    addText("gone", 10, 60, {1, 1, 1, 0});
    auto& menu = root.addNewChild<TGLGameMenu>();
    menu.setFont(&font);
    menu.setPosition(200, 150, 0);
    menu.setBackColor({0, 0, 0.5f, 0.5f});
    menu.setDisabledColor({1, 1, 1, 0});
    menu.setItems({"Play", "Locked", "Quit"});
    menu.setItemObject(1, &menu); // disabled, in a colour of alpha 0
    menu.setSelected(2);

    const FrameRecorder frame = record();
    ASSERT_EQ(frame.draws.size(), 5u);
    for (const auto& d : frame.draws)
        EXPECT_TRUE(d.pixelSpace);

    const auto& sprite = frame.draws[0];
    EXPECT_EQ(sprite.kind, Kind::object);
    EXPECT_EQ(sprite.name, "bar");
    EXPECT_EQ(sprite.bounds(), (std::array<float, 4>{85, 40, 115, 60}));

    // The text hangs from its position: two glyphs of 10 px one pixel apart, 22 high.
    const auto& text = frame.draws[1];
    EXPECT_EQ(text.kind, Kind::quads);
    EXPECT_EQ(text.color, Vec4(1, 0, 0, 1));
    EXPECT_EQ(text.quads.size(), 2u);
    EXPECT_EQ(text.bounds(), (std::array<float, 4>{10, 20, 31, 42}));

    // The menu: its box, plain, then the lines that show, centred on the menu.
    const auto& box = frame.draws[2];
    EXPECT_EQ(box.texture, nullptr);
    EXPECT_EQ(box.color, Vec4(0, 0, 0.5f, 0.5f));
    EXPECT_EQ(box.bounds(), (std::array<float, 4>{float(menu.boxLeft()), float(menu.boxTop()),
                                                  float(menu.boxRight()),
                                                  float(menu.boxBottom())}));
    const auto& play = frame.draws[3];
    const auto& quit = frame.draws[4];
    EXPECT_EQ(play.color, menu.inactiveColor().color());
    EXPECT_EQ(quit.color, menu.activeColor().color());
    EXPECT_EQ(play.texture, text.texture) << "one glyph texture for the font";
    EXPECT_NE(play.texture, nullptr);
    const float rowStep = 2 * (22 + menu.spacing()); // the skipped line keeps its room
    EXPECT_FLOAT_EQ(quit.bounds()[1] - play.bounds()[1], rowStep);
    EXPECT_FLOAT_EQ(play.bounds()[1], float(menu.boxTop() + menu.marginVert()));
    for (const auto* line : {&play, &quit})
        EXPECT_NEAR((line->bounds()[0] + line->bounds()[2]) / 2, 200, 1);

    // The menu's 1024 x 768 canvas is stretched over the viewport.
    menu.setMenuScale(TGLGameMenuScale::gms1024x768);
    const auto scaled = record().draws[2].bounds();
    EXPECT_FLOAT_EQ(scaled[0], float(menu.boxLeft()) * 640 / 1024);
    EXPECT_FLOAT_EQ(scaled[3], float(menu.boxBottom()) * 480 / 768);
}

TEST_F(HudFrameTest, GlyphImageGoesOnceUploadedAndComesBackForALostContext) {
    addText("HUD", 10, 20, {1, 1, 1, 1});
    const platform::Image built = font.glyphImage();
    ASSERT_FALSE(built.empty());

    FrameRecorder frame;
    auto draw = [&] {
        RenderContext ctx(frame);
        ctx.viewportWidth = 640;
        ctx.viewportHeight = 480;
        ctx.renderScene(root);
    };
    draw();
    draw();
    ASSERT_EQ(frame.uploads.size(), 1u);
    EXPECT_FALSE(font.holdsGlyphImage());
    EXPECT_EQ(frame.draws[1].bounds(), frame.draws[0].bounds()) << "laid out without it";

    // A lost context gets the same picture again, and the font keeps no copy after it.
    frame.loseContext();
    draw();
    draw();
    ASSERT_EQ(frame.uploads.size(), 2u);
    EXPECT_EQ(frame.uploads[1].pixels, built.pixels);
    EXPECT_FALSE(font.holdsGlyphImage());
    EXPECT_EQ(font.buildCount(), 1) << "the same glyphs, not a new version";

    // A new size is a new version: uploaded again, in the new size.
    font.setFontSize(40);
    draw();
    ASSERT_EQ(frame.uploads.size(), 3u);
    EXPECT_EQ(frame.draws.back().bounds()[3] - frame.draws.back().bounds()[1], 42);
}
