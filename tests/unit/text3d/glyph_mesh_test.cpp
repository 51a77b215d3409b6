#include "engine/text3d/glyph_mesh.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace coilrun;
using namespace coilrun::engine;

namespace {

using Contour = std::vector<std::pair<double, double>>;

Contour square(double x0, double y0, double x1, double y1, bool clockwise) {
    Contour c{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    if (clockwise) std::reverse(c.begin(), c.end());
    return c;
}

// Signed area of the triangles facing +Z (projected on XY).
double frontArea(const GlyphMesh& m) {
    double area = 0;
    for (std::size_t i = 0; i + 2 < m.vertices.size(); i += 3) {
        const auto& a = m.vertices[i];
        if (a.normal.z < 0.99f) continue;
        const Vec3 e1 = m.vertices[i + 1].position - a.position;
        const Vec3 e2 = m.vertices[i + 2].position - a.position;
        area += 0.5 * cross(e1, e2).z;
    }
    return area;
}

// Every triangle winds counter-clockwise around the normals of its vertices.
void expectWindingMatchesNormals(const GlyphMesh& m) {
    for (std::size_t i = 0; i + 2 < m.vertices.size(); i += 3) {
        const Vec3 face = cross(m.vertices[i + 1].position - m.vertices[i].position,
                                m.vertices[i + 2].position - m.vertices[i].position);
        for (int k = 0; k < 3; ++k)
            EXPECT_GT(dot(face, m.vertices[i + k].normal), 0) << "triangle " << i / 3;
    }
}

} // namespace

TEST(GlyphMesh, FlatLetterFacesTheViewer) {
    platform::GlyphOutline o;
    o.contours = {square(0, 0, 0.6, 0.6, false)};
    GlyphMesh m;
    ASSERT_TRUE(buildGlyphMesh(o, 0, m));
    EXPECT_EQ(m.triangleCount(), 2u);
    for (const auto& v : m.vertices) {
        EXPECT_FLOAT_EQ(v.position.z, 0);
        EXPECT_EQ(v.normal, Vec3(0, 0, 1));
    }
    EXPECT_NEAR(frontArea(m), 0.36, 1e-6);
}

TEST(GlyphMesh, ExtrudedLetterIsClosedWithOutwardWalls) {
    for (bool clockwise : {false, true}) {
        platform::GlyphOutline o;
        o.contours = {square(0, 0, 0.6, 0.6, clockwise)};
        GlyphMesh m;
        ASSERT_TRUE(buildGlyphMesh(o, 0.2f, m));
        // Front 2, back 2, four walls of 2.
        EXPECT_EQ(m.triangleCount(), 12u);
        float minZ = 0, maxZ = -1;
        for (const auto& v : m.vertices) {
            minZ = std::min(minZ, v.position.z), maxZ = std::max(maxZ, v.position.z);
            EXPECT_NEAR(length(v.normal), 1, 1e-5);
            if (std::abs(v.normal.z) < 0.5f) {
                // A wall: its normal points away from the middle of the letter.
                const Vec3 out{v.position.x - 0.3f, v.position.y - 0.3f, 0};
                EXPECT_GT(dot(out, v.normal), 0);
            }
        }
        EXPECT_FLOAT_EQ(maxZ, 0);
        EXPECT_FLOAT_EQ(minZ, -0.2f);
        expectWindingMatchesNormals(m);
    }
}

TEST(GlyphMesh, HoleByOddWindingWithWallsFacingIntoIt) {
    for (bool sameDirection : {false, true}) {
        platform::GlyphOutline o;
        // The odd rule leaves the inner square empty whichever way it runs.
        o.contours = {square(0, 0, 0.6, 0.6, false), square(0.2, 0.2, 0.4, 0.4, !sameDirection)};
        GlyphMesh m;
        ASSERT_TRUE(buildGlyphMesh(o, 0.1f, m));
        EXPECT_NEAR(frontArea(m), 0.36 - 0.04, 1e-6);
        expectWindingMatchesNormals(m);
        int innerWalls = 0;
        for (const auto& v : m.vertices) {
            if (std::abs(v.normal.z) > 0.5f) continue;
            const bool inner = v.position.x > 0.1f && v.position.x < 0.5f && v.position.y > 0.1f &&
                               v.position.y < 0.5f;
            if (!inner) continue;
            ++innerWalls;
            const Vec3 towardsCentre{0.3f - v.position.x, 0.3f - v.position.y, 0};
            EXPECT_GT(dot(towardsCentre, v.normal), 0);
        }
        EXPECT_EQ(innerWalls, 4 * 6);
    }
}

TEST(GlyphMesh, CurvedWallsShareNormalsSharpCornersDoNot) {
    platform::GlyphOutline o;
    Contour circle;
    for (int i = 0; i < 32; ++i) {
        const double a = i * 2 * 3.14159265358979 / 32;
        circle.emplace_back(0.5 + 0.4 * std::cos(a), 0.5 + 0.4 * std::sin(a));
    }
    o.contours = {circle};
    GlyphMesh m;
    ASSERT_TRUE(buildGlyphMesh(o, 0.2f, m));
    for (const auto& v : m.vertices) {
        if (std::abs(v.normal.z) > 0.5f) continue;
        // On a round wall a vertex normal is the radius direction.
        const Vec3 radial = normalized(Vec3{v.position.x - 0.5f, v.position.y - 0.5f, 0});
        EXPECT_GT(dot(radial, v.normal), 0.999f);
    }
    GlyphMesh box;
    o.contours = {square(0, 0, 1, 1, false)};
    ASSERT_TRUE(buildGlyphMesh(o, 0.2f, box));
    for (const auto& v : box.vertices) {
        if (std::abs(v.normal.z) > 0.5f) continue;
        EXPECT_FLOAT_EQ(std::abs(v.normal.x) + std::abs(v.normal.y), 1) << "axis-aligned";
    }
}

TEST(GlyphMesh, DegenerateOutlines) {
    platform::GlyphOutline o;
    GlyphMesh m;
    EXPECT_TRUE(buildGlyphMesh(o, 0.2f, m));
    EXPECT_TRUE(m.vertices.empty());
    // Repeated and closing points are dropped; two points are no contour.
    o.contours = {{{0, 0}, {0, 0}, {1, 0}}, square(0, 0, 1, 1, false)};
    o.contours[1].push_back({0, 0});
    ASSERT_TRUE(buildGlyphMesh(o, 0, m));
    EXPECT_NEAR(frontArea(m), 1, 1e-6);
}
