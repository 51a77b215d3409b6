#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/hud/windows_bitmap_font.h"
#include "engine/render/geometry_sink.h"

#include <gtest/gtest.h>
#include <memory>

using namespace coilrun::engine;

namespace {

// Keeps the vertices and texture coordinates a shape emits, with the translations
// applied.
class VertexRecorder : public GeometrySink {
public:
    struct V {
        Vec3 p;
        float s, t;
    };
    std::vector<V> vertices;
    void begin(PrimitiveType) override {}
    void end() override {}
    void normal(const Vec3&) override {}
    void texCoord(float s, float t) override { s_ = s, t_ = t; }
    void color(const Vec4&) override {}
    void vertex(const Vec3& p) override { vertices.push_back({p + offset_, s_, t_}); }
    void pushMatrix() override {}
    void popMatrix() override {}
    void translate(const Vec3& t) override { offset_ += t; }
    void rotate(float, const Vec3&) override {}
    void cylinder(const QuadricStyle&, float, float, float, int, int) override {}
    void disk(const QuadricStyle&, float, float, int, int) override {}
    void beginUnlit() override {}
    void endUnlit() override {}

private:
    Vec3 offset_;
    float s_ = 0, t_ = 0;
};

} // namespace

TEST(HUDText, MatrixPlacesFontPixelsFromTheTopLeft) {
    TGLHUDText text;
    text.setPosition(463.5f, 300, 0);
    text.scale().setVector(1.5f, 2, 1);
    // The font's Y axis points up; the overlay counts pixels downward.
    Mat4 m = text.textMatrix(96);
    Vec3 p = m.transformPoint({10, 10, 0});
    EXPECT_FLOAT_EQ(p.x, 463.5f + 15);
    EXPECT_FLOAT_EQ(p.y, 300 - 20);

    // At twice the screen's resolution position and scale double.
    p = text.textMatrix(192).transformPoint({10, 0, 0});
    EXPECT_FLOAT_EQ(p.x, 927 + 30);
    EXPECT_FLOAT_EQ(p.y, 600);

    // A quarter turn is counter-clockwise on the screen: the text's +X goes up.
    text.scale().setVector(1, 1, 1);
    text.setRotation(90);
    p = text.textMatrix(96).transformPoint({10, 0, 0});
    EXPECT_NEAR(p.x, 463.5f, 1e-4);
    EXPECT_NEAR(p.y, 290, 1e-4);
}

TEST(HUDText, DefaultsAndForgottenFont) {
    TGLHUDText text;
    EXPECT_EQ(text.alignment(), TGLTextAlignment::taLeftJustify);
    EXPECT_EQ(text.layout(), TGLTextLayout::tlTop);
    EXPECT_EQ(text.modulateColor().color(), Vec4(1, 1, 1, 1));
    EXPECT_EQ(text.className(), "TGLHUDText");
    EXPECT_TRUE(text.drawsInOverlayPass());
    auto font = std::make_unique<TGLWindowsBitmapFont>();
    text.setBitmapFont(font.get());
    font.reset();
    EXPECT_EQ(text.bitmapFont(), nullptr);
}

TEST(HUDSprite, RectangleCentredOnItsPosition) {
    TGLHUDSprite sprite;
    sprite.setPosition(100, 50, 0);
    sprite.setWidth(30);
    sprite.setHeight(20);
    sprite.setXTiles(2);
    VertexRecorder rec;
    sprite.buildList(rec);
    ASSERT_EQ(rec.vertices.size(), 4u);
    float minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9, maxS = 0, maxT = 0;
    for (const auto& v : rec.vertices) {
        minX = std::min(minX, v.p.x), maxX = std::max(maxX, v.p.x);
        minY = std::min(minY, v.p.y), maxY = std::max(maxY, v.p.y);
        maxS = std::max(maxS, v.s), maxT = std::max(maxT, v.t);
        // The upper screen edge (smaller y) carries the top of the picture (t = 1 side).
        if (v.p.y < 50) {
            EXPECT_FLOAT_EQ(v.t, 1);
        }
    }
    EXPECT_FLOAT_EQ(minX, 85);
    EXPECT_FLOAT_EQ(maxX, 115);
    EXPECT_FLOAT_EQ(minY, 40);
    EXPECT_FLOAT_EQ(maxY, 60);
    EXPECT_FLOAT_EQ(maxS, 2);
    EXPECT_FLOAT_EQ(maxT, 1);
    sprite.setYTiles(0);
    EXPECT_EQ(sprite.yTiles(), 1);
}
