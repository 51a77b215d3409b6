#include "engine/hud/game_menu.h"
#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/hud/windows_bitmap_font.h"
#include "engine/objects/material_library.h"
#include "engine/objects/sphere.h"
#include "engine/render/gl.h"
#include "engine/render/gl_renderer.h"
#include "engine/render/render_context.h"
#include "engine/text3d/space_text.h"
#include "platform/qt/qt_fonts.h"
#include "tests/integration/hud/offscreen.h"

#include <QGuiApplication>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace coilrun;
using namespace coilrun::engine;

namespace {

constexpr int kW = 320, kH = 240;

platform::OffscreenGl* gGl = nullptr;

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, count = 0;
    bool empty() const { return count == 0; }
};

// The pixels of img for which pick holds, and their bounding box.
Box find(const platform::Image& img, const std::function<bool(std::uint32_t)>& pick, int y0 = 0,
         int y1 = kH) {
    Box b;
    for (int y = std::max(y0, 0); y < std::min(y1, img.height); ++y)
        for (int x = 0; x < img.width; ++x)
            if (pick(img.at(x, y))) {
                b.left = std::min(b.left, x), b.right = std::max(b.right, x);
                b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
                ++b.count;
            }
    return b;
}

bool reddish(std::uint32_t p) {
    return platform::red(p) > 120 && platform::green(p) < 60 && platform::blue(p) < 60;
}
bool bluish(std::uint32_t p) {
    return platform::blue(p) > 120 && platform::red(p) < 60 && platform::green(p) < 60;
}
bool lit(std::uint32_t p) {
    return (p & 0xffffff) != 0;
}

// With COILRUN_HUD_PICTURES set to a folder, every picture probed is saved there to be
// looked at.
void keep(const platform::Image& img, const char* name) {
    const QByteArray dir = qgetenv("COILRUN_HUD_PICTURES");
    if (dir.isEmpty() || img.empty()) return;
    QImage q(reinterpret_cast<const uchar*>(img.pixels.data()), img.width, img.height,
             img.width * 4, QImage::Format_ARGB32);
    q.save(QString::fromUtf8(dir) + "/" + name + ".png");
}

// Draws a tree of objects the way a frame does (the 3D objects, then the overlay pass)
// through the real GL renderer, under a fixed camera on +Z and one light.
class HudRenderTest : public ::testing::Test {
protected:
    HudRenderTest() {
        font.setRasterizer(&rasterizer);
        platform::FontSpec f;
        f.name = "Arial Narrow";
        f.bold = true;
        f.pixelSize = 24;
        font.setFont(f);
    }
    ~HudRenderTest() override {
        if (gGl->makeCurrent()) renderer.releaseGl();
    }
    platform::Image render() { return render(renderer); }
    platform::Image render(GlRenderer& with, platform::OffscreenGl* into = gGl) {
        return into->render(kW, kH, [&](int w, int h) {
            glViewport(0, 0, w, h);
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glEnable(GL_DEPTH_TEST);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            gluPerspective(45, double(w) / h, 0.5, 100);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            gluLookAt(0, 0, 8, 0, 0, 0, 0, 1, 0);
            const float lightPos[4] = {2, 3, 10, 1};
            const float white[4] = {1, 1, 1, 1};
            glEnable(GL_LIGHTING);
            glEnable(GL_LIGHT0);
            glLightfv(GL_LIGHT0, GL_POSITION, lightPos);
            glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
            RenderContext ctx(with);
            ctx.viewportWidth = w;
            ctx.viewportHeight = h;
            ctx.cameraPosition = {0, 0, 8};
            ctx.renderScene(root);
            glFinish();
        });
    }
    template <class T> T& add() { return root.addNewChild<T>(); }
    // A library material textured with a small plain green picture.
    static void addGreenPicture(TGLMaterialLibrary& library, const std::string& name) {
        TGLTexture& texture = library.add(name).material().texture();
        texture.setImage(platform::Image{8, 8, std::vector<std::uint32_t>(64, 0xff00ff00u)});
        texture.setEnabled(true);
    }

    qt::QtFontRasterizer rasterizer;
    qt::QtGlyphOutlines outlines;
    FontManager fonts{&outlines};
    TGLWindowsBitmapFont font;
    GlRenderer renderer;
    TGLBaseSceneObject root;
};

} // namespace

TEST_F(HudRenderTest, MenuShowsItsSelectedLineInTheActiveColour) {
    auto& menu = add<TGLGameMenu>();
    menu.setFont(&font);
    menu.setItems({"Resume", "Restart", "Quit"});
    menu.setPosition(160, 120, 0);
    menu.setInactiveColor({0, 0, 1, 1});
    menu.setActiveColor({1, 0, 0, 1});
    menu.setSelected(1);
    const platform::Image img = render();
    ASSERT_FALSE(img.empty());
    keep(img, "menu");

    const int lh = font.charHeight(), step = lh + menu.spacing();
    const int first = menu.boxTop() + menu.marginVert();
    for (int i = 0; i < 3; ++i) {
        const int top = first + i * step;
        const Box red = find(img, reddish, top, top + lh);
        const Box blue = find(img, bluish, top, top + lh);
        if (i == 1) {
            EXPECT_GT(red.count, 30) << "line " << i;
            EXPECT_EQ(blue.count, 0) << "line " << i;
        } else {
            EXPECT_GT(blue.count, 30) << "line " << i;
            EXPECT_EQ(red.count, 0) << "line " << i;
        }
    }
    // Nothing is drawn outside the box, nor in the gaps between the lines.
    const Box all = find(img, lit);
    EXPECT_GE(all.left, menu.boxLeft());
    EXPECT_LE(all.right, menu.boxRight());
    EXPECT_GE(all.top, first);
    EXPECT_LE(all.bottom, first + 2 * step + lh);
    EXPECT_EQ(find(img, lit, first + lh, first + step).count, 0);

    // The pointer on the last drawing's rows picks the same line.
    menu.mouseMenuSelect(160, menu.menuTop() + step + 2);
    EXPECT_EQ(menu.selected(), 1);

    // Recolouring the active colour repaints the selected line only.
    menu.setActiveColor({0, 1, 0, 1});
    const platform::Image again = render();
    EXPECT_EQ(find(again, reddish).count, 0);
    EXPECT_GT(find(again, bluish, first, first + lh).count, 30);
}

TEST_F(HudRenderTest, MenuTitlePictureAndVirtualCanvas) {
    TGLMaterialLibrary library;
    addGreenPicture(library, "title");

    auto& menu = add<TGLGameMenu>();
    menu.setFont(&font);
    menu.setItems({"Play"});
    menu.setInactiveColor({0, 0, 1, 1});
    menu.setMaterialLibrary(&library);
    menu.setTitleMaterialName("title");
    menu.setTitleWidth(60);
    menu.setTitleHeight(30);
    // The centre of the 1024 x 768 canvas is the centre of the view, whatever its size.
    menu.setMenuScale(TGLGameMenuScale::gms1024x768);
    menu.setPosition(512, 384, 0);
    const platform::Image img = render();
    keep(img, "menu_title");
    const Box title = find(img, [](std::uint32_t p) { return platform::green(p) > 120; });
    const Box line = find(img, bluish);
    ASSERT_FALSE(title.empty());
    ASSERT_FALSE(line.empty());
    // 60 x 30 canvas pixels shrink by 320 / 1024 and 240 / 768.
    EXPECT_NEAR(title.right - title.left + 1, 60 * 320 / 1024.0, 1.5);
    EXPECT_NEAR(title.bottom - title.top + 1, 30 * 240 / 768.0, 1.5);
    EXPECT_NEAR((title.left + title.right) / 2.0, 160, 1.5);
    EXPECT_LT(title.bottom, line.top) << "the title stands above the lines";
    EXPECT_NEAR((line.left + line.right) / 2.0, 160, 3);

    // A title the library does not hold draws nothing but keeps its room.
    menu.setTitleMaterialName("none such");
    const platform::Image without = render();
    EXPECT_TRUE(find(without, [](std::uint32_t p) { return platform::green(p) > 120; }).empty());
    EXPECT_EQ(find(without, bluish).top, line.top);
}

TEST_F(HudRenderTest, CentredHudTextAtItsPixelPosition) {
    auto& text = add<TGLHUDText>();
    text.setBitmapFont(&font);
    text.setText("HHHH");
    text.setAlignment(TGLTextAlignment::taCenter);
    text.setPosition(200, 80, 0);
    const platform::Image img = render();
    keep(img, "hud_text");
    const Box ink = find(img, lit);
    ASSERT_FALSE(ink.empty());
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 200, 3);
    // Laid out from the top: the glyphs hang below the position, within one line.
    EXPECT_GE(ink.top, 80);
    EXPECT_LE(ink.bottom, 80 + font.charHeight());
    EXPECT_LT(ink.top, 80 + font.charHeight() / 2);

    // Faded out completely it leaves no trace.
    text.setModulateColor({1, 1, 1, 0});
    EXPECT_TRUE(find(render(), lit).empty());
}

TEST_F(HudRenderTest, EachRendererKeepsItsOwnGlyphTexture) {
    // Two renderers stand for two contexts (a window and an offscreen picture).
    auto& text = add<TGLHUDText>();
    text.setBitmapFont(&font);
    text.setText("HHHH");
    text.setPosition(100, 80, 0);
    GlRenderer other;
    const int inked = find(render(), lit).count;
    ASSERT_GT(inked, 100);
    EXPECT_EQ(find(render(other), lit).count, inked);
    // The other context going away leaves this one's texture in place.
    ASSERT_TRUE(gGl->makeCurrent());
    other.releaseGl();
    EXPECT_EQ(find(render(), lit).count, inked);
    // A rebuilt font reaches every context.
    font.setFontSize(12);
    const int small = find(render(), lit).count;
    EXPECT_LT(small, inked / 2);
    EXPECT_EQ(find(render(other), lit).count, small);
    ASSERT_TRUE(gGl->makeCurrent());
    other.releaseGl();
}

TEST_F(HudRenderTest, EverythingComesBackInANewContext) {
    // One of each owner of GL objects: a textured sprite and a lit shape (the renderer's
    // textures and lists), menu and HUD lines (a bitmap font's texture), extruded letters
    // (a glyph set's lists).
    TGLMaterialLibrary library;
    addGreenPicture(library, "green");
    auto& sprite = add<TGLHUDSprite>();
    sprite.material().setMaterialLibrary(&library);
    sprite.material().setLibMaterialName("green");
    sprite.setWidth(40);
    sprite.setHeight(20);
    sprite.setPosition(290, 220, 0);
    auto& ball = add<TGLSphere>();
    ball.setPosition(-2.5f, -1.5f, 0);
    ball.material().frontProperties().diffuse().setColor(0, 0, 1, 1);
    auto& menu = add<TGLGameMenu>();
    menu.setFont(&font);
    menu.setItems({"Resume", "Quit"});
    menu.setPosition(240, 60, 0);
    auto& hud = add<TGLHUDText>();
    hud.setBitmapFont(&font);
    hud.setText("1:05");
    hud.setPosition(20, 20, 0);
    auto& letters = add<TGLSpaceText>();
    letters.setFontManager(&fonts);
    letters.setText("3D");
    letters.setExtrusion(0.3f);
    letters.material().frontProperties().diffuse().setColor(1, 0.5f, 0, 1);

    const platform::Image before = render();
    keep(before, "before_loss");
    ASSERT_GT(find(before, lit).count, 2000);
    EXPECT_EQ(renderer.textureCount(), 2u) << "the sprite's picture and the glyph texture";

    // Deleted while the context lives: nothing is left, and the next frame makes it all.
    ASSERT_TRUE(gGl->makeCurrent());
    renderer.releaseGl();
    EXPECT_EQ(renderer.listCount() + renderer.textureCount(), 0u);
    EXPECT_EQ(render().pixels, before.pixels);

    // Lost with its context: a new one, sharing nothing, gets the same picture.
    renderer.forgetGl();
    std::unique_ptr<platform::OffscreenGl> fresh = hudtest::makeOffscreenGl();
    ASSERT_TRUE(fresh && fresh->makeCurrent());
    const platform::Image after = render(renderer, fresh.get());
    keep(after, "after_loss");
    EXPECT_EQ(after.pixels, before.pixels);
    if (fresh->makeCurrent()) renderer.releaseGl();
}

TEST_F(HudRenderTest, EmptyTextsDrawNothing) {
    auto& hud = add<TGLHUDText>();
    hud.setBitmapFont(&font);
    auto& noFont = add<TGLHUDText>();
    noFont.setText("No font");
    auto& menu = add<TGLGameMenu>();
    menu.setItems({"No font either"});
    auto& space = add<TGLSpaceText>();
    space.setFontManager(&fonts);
    EXPECT_TRUE(find(render(), lit).empty());
    EXPECT_EQ(fonts.setCount(), 0u) << "an empty space text needs no glyphs";
}

TEST_F(HudRenderTest, SpriteOfThirtyPixelsDrawnWhole) {
    // 30 x 30 (not a power of two): red with a green top row and a blue left column.
    platform::Image picture;
    picture.width = picture.height = 30;
    picture.pixels.assign(900, 0xffff0000u);
    for (int i = 0; i < 30; ++i) {
        picture.at(i, 0) = 0xff00ff00u;
        picture.at(0, i) = 0xff0000ffu;
    }
    TGLMaterialLibrary library;
    for (const char* name : {"sound_on", "mude"}) {
        TGLMaterial& m = library.add(name).material();
        m.texture().setImage(picture);
        m.texture().setEnabled(true);
        m.setMaterialOptions({false, true});
        m.frontProperties().diffuse().setColor(1, 1, 1, 1);
    }
    // The second entry shows the picture darkened.
    library.libMaterialByName("mude")->material().frontProperties().diffuse().setColor(0.5f, 0.5f,
                                                                                       0.5f, 1);

    auto& sprite = add<TGLHUDSprite>();
    sprite.setWidth(30);
    sprite.setHeight(30);
    sprite.setPosition(100, 60, 0);
    sprite.material().setMaterialLibrary(&library);
    sprite.material().setLibMaterialName("sound_on");
    const platform::Image img = render();
    keep(img, "sprite");
    const Box box = find(img, lit);
    EXPECT_EQ(box.left, 85);
    EXPECT_EQ(box.right, 114);
    EXPECT_EQ(box.top, 45);
    EXPECT_EQ(box.bottom, 74);
    // The whole picture, the right way up: its top row and left column at the edges.
    EXPECT_GT(platform::green(img.at(100, 45)), 200);
    EXPECT_GT(platform::blue(img.at(85, 60)), 200);
    EXPECT_GT(platform::red(img.at(100, 60)), 200);
    EXPECT_GT(platform::red(img.at(113, 73)), 200);

    sprite.material().setLibMaterialName("mude");
    const platform::Image dark = render();
    EXPECT_NEAR(platform::red(dark.at(100, 60)), 128, 8);
    library.at(0).material().texture().setEnabled(false); // keep both entries alive to here
}

TEST_F(HudRenderTest, OverlayObjectsLieOnEachOtherInTreeOrder) {
    // A translucent picture first, a text after it: the text is on top, although the
    // picture is blended (blended 3D objects would be drawn last).
    platform::Image picture;
    picture.width = picture.height = 4;
    picture.pixels.assign(16, 0xff0000ffu);
    TGLMaterialLibrary library;
    TGLMaterial& m = library.add("HT0").material();
    m.texture().setImage(picture);
    m.texture().setEnabled(true);
    m.setBlendingMode(TGLBlendingMode::bmTransparency);
    auto& sprite = add<TGLHUDSprite>();
    sprite.setWidth(200);
    sprite.setHeight(100);
    sprite.setPosition(160, 120, 0);
    sprite.material().setMaterialLibrary(&library);
    sprite.material().setLibMaterialName("HT0");
    auto& text = add<TGLHUDText>();
    text.setBitmapFont(&font);
    text.setText("HHHH");
    text.setPosition(120, 110, 0);
    const platform::Image img = render();
    keep(img, "overlay_order");
    const Box white = find(img, [](std::uint32_t p) {
        return platform::red(p) > 200 && platform::green(p) > 200 && platform::blue(p) > 200;
    });
    EXPECT_GT(white.count, 50);
    EXPECT_GT(find(img, bluish).count, 10000);
}

TEST_F(HudRenderTest, GameOverAsLitExtrudedLetters) {
    auto& text = add<TGLSpaceText>();
    text.setFontManager(&fonts);
    text.setFontName("Arial");
    text.setText("GAME OVER");
    text.setAdjust({TGLTextHorzAdjust::haCenter, TGLTextVertAdjust::vaCenter});
    text.setExtrusion(0.6f);
    text.material().frontProperties().diffuse().setColor(1, 0.8f, 0.2f, 1);
    // Turned away so that the walls of the letters face the camera.
    text.turn(50);

    const platform::Image deep = render();
    keep(deep, "space_text");
    const Box ink = find(deep, lit);
    ASSERT_GT(ink.count, 500) << "letters are drawn";
    // Lit: the faces and the walls catch different amounts of light.
    std::set<int> shades;
    for (std::uint32_t p : deep.pixels)
        if (lit(p)) shades.insert(platform::red(p) / 16);
    EXPECT_GE(shades.size(), 3u);

    text.setExtrusion(0);
    const platform::Image flat = render();
    const Box flatInk = find(flat, lit);
    ASSERT_GT(flatInk.count, 200);
    // The walls add what the flat letters do not cover.
    EXPECT_GT(ink.count, flatInk.count * 5 / 4);
    EXPECT_EQ(fonts.setCount(), 1u) << "the extruded set was released";
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<platform::OffscreenGl> gl = hudtest::makeOffscreenGl();
    if (!gl || !gl->makeCurrent()) {
        std::fprintf(stderr, "no OpenGL: the HUD pictures cannot be drawn\n");
        return 1;
    }
    gGl = gl.get();
    const int rc = RUN_ALL_TESTS();
    gGl = nullptr;
    return rc;
}
