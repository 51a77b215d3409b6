// What each primitive emits: counts, extents, normals, and windings that face
// the way the normals point (back faces are culled by default).
#include "engine/objects/capsule.h"
#include "engine/objects/cube.h"
#include "engine/objects/cylinder.h"
#include "engine/objects/dummy_cube.h"
#include "engine/objects/icosahedron.h"
#include "engine/objects/plane.h"
#include "engine/objects/sphere.h"
#include "engine/render/mesh_recorder.h"
#include "test_support.h"

namespace coilrun::engine {
namespace {

using test::expectNear;

MeshRecorder record(TGLBaseSceneObject& o) {
    MeshRecorder r;
    o.buildList(r);
    EXPECT_EQ(r.unbalanced, 0);
    return r;
}

// Every non-degenerate triangle is counter-clockwise seen from where its normals point.
void expectFacesAgreeWithNormals(const MeshRecorder& r) {
    int checked = 0;
    for (const auto& t : r.triangles()) {
        const Vec3 g = t.geometricNormal();
        if (length(g) < 1e-7f) continue;
        ASSERT_TRUE(t.a.hasNormal && t.b.hasNormal && t.c.hasNormal);
        EXPECT_GT(dot(g, t.a.normal + t.b.normal + t.c.normal), 0)
            << "triangle at " << t.a.position.x << "," << t.a.position.y << "," << t.a.position.z;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

TEST(Meshing, SphereIsStacksStripsWithRadialNormals) {
    TGLSphere s;
    s.setRadius(2);
    const MeshRecorder r = record(s);
    ASSERT_EQ(r.primitives.size(), 16u);
    EXPECT_EQ(r.countOf(PrimitiveType::triangleStrip), 16u);
    EXPECT_EQ(r.vertexCount(), 16u * 2 * 17);
    for (const auto& p : r.primitives)
        for (const auto& v : p.vertices) {
            EXPECT_NEAR(length(v.position), 2, 1e-5f);
            expectNear(v.normal, v.position * 0.5f, 1e-5f);
            EXPECT_GE(v.s, 0);
            EXPECT_LE(v.s, 1);
        }
    expectFacesAgreeWithNormals(r);
}

TEST(Meshing, SphereBandAndWedgeWithCaps) {
    TGLSphere s;
    s.setSlices(8);
    s.setStacks(3);
    s.setTop(45);
    s.setBottom(-30);
    s.setStart(90);
    s.setStop(270);
    s.setTopCap(TGLCapType::ctFlat);
    s.setBottomCap(TGLCapType::ctCenter);
    const MeshRecorder r = record(s);
    ASSERT_EQ(r.primitives.size(), 3u + 2u);
    EXPECT_EQ(r.countOf(PrimitiveType::triangleFan), 2u);
    const float rad = 0.5f;
    float minY = 1, maxY = -1;
    for (std::size_t i = 0; i < 3; ++i)
        for (const auto& v : r.primitives[i].vertices) {
            minY = std::min(minY, v.position.y);
            maxY = std::max(maxY, v.position.y);
            // Longitudes 90..270 are the -Z half (longitude 0 is +Z).
            EXPECT_LE(v.position.z, 1e-5f);
        }
    EXPECT_NEAR(maxY, rad * std::sin(45 * kDegToRad), 1e-5f);
    EXPECT_NEAR(minY, rad * std::sin(-30 * kDegToRad), 1e-5f);

    const auto& top = r.primitives[3];
    ASSERT_EQ(top.vertices.size(), 8u + 2u);
    for (const auto& v : top.vertices) {
        EXPECT_NEAR(v.position.y, rad * std::sin(45 * kDegToRad), 1e-5f); // flat: at the rim height
        expectNear(v.normal, {0, 1, 0});
    }
    const auto& bottom = r.primitives[4];
    expectNear(bottom.vertices[0].position, {0, 0, 0}); // centre cap: a cone to the middle
    expectFacesAgreeWithNormals(r);

    // Caps only close a cut: at the poles they are not drawn.
    TGLSphere whole;
    whole.setTopCap(TGLCapType::ctFlat);
    whole.setBottomCap(TGLCapType::ctCenter);
    EXPECT_EQ(record(whole).countOf(PrimitiveType::triangleFan), 0u);
    // An empty band draws nothing rather than garbage.
    whole.setTop(-10);
    whole.setBottom(10);
    EXPECT_TRUE(record(whole).primitives.empty());
}

TEST(Meshing, InsideSphereFacesInwards) {
    TGLSphere s;
    s.setNormalDirection(TGLNormalDirection::ndInside);
    s.setTop(60);
    s.setTopCap(TGLCapType::ctFlat);
    const MeshRecorder r = record(s);
    for (const auto& v : r.primitives[0].vertices)
        EXPECT_LT(dot(v.normal, v.position), 0);
    expectFacesAgreeWithNormals(r);
}

TEST(Meshing, CylinderIsGluPartsAlongYPlacedByAlignment) {
    TGLCylinder c;
    c.setHeight(2);
    c.setTopRadius(0.25f);
    MeshRecorder r = record(c);
    ASSERT_EQ(r.quadrics.size(), 3u);
    const auto& side = r.quadrics[0];
    EXPECT_FALSE(side.isDisk);
    EXPECT_FLOAT_EQ(side.radius0, 0.5f);
    EXPECT_FLOAT_EQ(side.radius1, 0.25f);
    EXPECT_FLOAT_EQ(side.height, 2);
    EXPECT_EQ(side.slices, 16);
    EXPECT_EQ(side.stacks, 4);
    // GLU's +Z axis runs along local +Y, centred: from y = -1 to y = 1.
    expectNear(side.transform.transformPoint({0, 0, 0}), {0, -1, 0});
    expectNear(side.transform.transformVector({0, 0, 1}), {0, 1, 0});
    const auto& top = r.quadrics[1];
    EXPECT_TRUE(top.isDisk);
    EXPECT_FLOAT_EQ(top.radius1, 0.25f);
    expectNear(top.transform.transformPoint({0, 0, 0}), {0, 1, 0});
    EXPECT_FALSE(top.style.inside);
    const auto& bottom = r.quadrics[2];
    EXPECT_FLOAT_EQ(bottom.radius1, 0.5f);
    expectNear(bottom.transform.transformPoint({0, 0, 0}), {0, -1, 0});
    EXPECT_TRUE(bottom.style.inside); // facing down the axis

    c.setAlignment(TGLCylinderAlignment::caTop);
    r = record(c);
    expectNear(r.quadrics[0].transform.transformPoint({0, 0, 0}), {0, -2, 0});
    expectNear(r.quadrics[1].transform.transformPoint({0, 0, 0}), {0, 0, 0});
    c.setAlignment(TGLCylinderAlignment::caBottom);
    r = record(c);
    expectNear(r.quadrics[0].transform.transformPoint({0, 0, 0}), {0, 0, 0});

    c.setParts({true, false, false});
    c.setNormalDirection(TGLNormalDirection::ndInside);
    c.setNormals(TGLNormalSmoothing::nsFlat);
    r = record(c);
    ASSERT_EQ(r.quadrics.size(), 1u);
    EXPECT_TRUE(r.quadrics[0].style.inside);
    EXPECT_EQ(r.quadrics[0].style.normals, QuadricNormals::flat);
}

TEST(Meshing, CubeHasOneQuadPerPartInOrder) {
    TGLCube c;
    c.setCubeWidth(2);
    c.setCubeHeight(4);
    c.setCubeDepth(6);
    MeshRecorder r = record(c);
    ASSERT_EQ(r.primitives.size(), 1u);
    const auto& v = r.primitives[0].vertices;
    ASSERT_EQ(v.size(), 24u);
    const Vec3 order[6] = {{0, 0, 1}, {0, 0, -1}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    const Vec3 half{1, 2, 3};
    for (int f = 0; f < 6; ++f)
        for (int k = 0; k < 4; ++k) {
            const auto& x = v[std::size_t(f * 4 + k)];
            expectNear(x.normal, order[f]);
            // Each corner lies on its face's plane.
            EXPECT_NEAR(
                dot(x.position, order[f]),
                dot(half, Vec3{std::abs(order[f].x), std::abs(order[f].y), std::abs(order[f].z)}),
                1e-5f);
            EXPECT_TRUE((x.s == 0 || x.s == 1) && (x.t == 0 || x.t == 1));
        }
    expectFacesAgreeWithNormals(r);

    c.setParts({true, false, false, false, false, true});
    c.setNormalDirection(TGLNormalDirection::ndInside);
    r = record(c);
    ASSERT_EQ(r.primitives[0].vertices.size(), 8u);
    expectNear(r.primitives[0].vertices[0].normal, {-1, 0, 0}); // right face, turned inward
    expectNear(r.primitives[0].vertices[4].normal, {0, -1, 0}); // top face, turned inward
    expectFacesAgreeWithNormals(r);
}

TEST(Meshing, PlaneSingleQuadOrTiledStrips) {
    TGLPlane p;
    p.setWidth(4);
    p.setHeight(2);
    p.setXTiles(3);
    p.setYTiles(2);
    p.setXOffset(0.5f);
    MeshRecorder r = record(p);
    ASSERT_EQ(r.primitives.size(), 1u);
    const auto& q = r.primitives[0].vertices;
    ASSERT_EQ(q.size(), 4u);
    expectNear(q[0].position, {-2, -1, 0});
    expectNear(q[2].position, {2, 1, 0});
    // Tiled texture: XOffset .. XOffset + XTiles x XScope.
    EXPECT_FLOAT_EQ(q[0].s, 0.5f);
    EXPECT_FLOAT_EQ(q[2].s, 3.5f);
    EXPECT_FLOAT_EQ(q[2].t, 2);
    expectFacesAgreeWithNormals(r);

    p.setStyle({false, false});
    r = record(p);
    ASSERT_EQ(r.countOf(PrimitiveType::triangleStrip), 2u);
    EXPECT_EQ(r.primitives[0].vertices.size(), 2u * 4);
    EXPECT_FLOAT_EQ(r.primitives[0].vertices.back().s, 1); // scope once, untiled
    expectFacesAgreeWithNormals(r);
    EXPECT_EQ(r.triangles().size(), 2u * 3 * 2);
}

TEST(Meshing, CapsuleSideAndHemispheresAlongZ) {
    TGLCapsule c;
    c.setRadius(1);
    c.setHeight(2);
    const MeshRecorder r = record(c);
    const int n = 4 * 4;
    ASSERT_EQ(r.primitives.size(), 1u + 2u * 4u);
    EXPECT_EQ(r.primitives[0].vertices.size(), std::size_t(2 * (n + 1)));
    float minZ = 10, maxZ = -10;
    for (const auto& p : r.primitives)
        for (const auto& v : p.vertices) {
            minZ = std::min(minZ, v.position.z);
            maxZ = std::max(maxZ, v.position.z);
            EXPECT_LE(std::hypot(v.position.x, v.position.y), 1 + 1e-5f);
            EXPECT_NEAR(length(v.normal), 1, 1e-5f);
        }
    // Height between the cap centres, plus a radius at each end.
    EXPECT_NEAR(maxZ, 2, 1e-5f);
    EXPECT_NEAR(minZ, -2, 1e-5f);
    for (const auto& v : r.primitives[0].vertices) {
        EXPECT_NEAR(std::abs(v.position.z), 1, 1e-5f);
        EXPECT_NEAR(v.normal.z, 0, 1e-5f);
    }
    expectFacesAgreeWithNormals(r);

    // Caps stay hemispheres whatever the stack count.
    TGLCapsule tall;
    tall.setStacks(8);
    float top = -10;
    for (const auto& p : record(tall).primitives)
        for (const auto& v : p.vertices)
            top = std::max(top, v.position.z);
    EXPECT_NEAR(top, 0.5f + 0.5f, 1e-5f);
}

TEST(Meshing, IcosahedronHasTwentyOutwardFaces) {
    TGLIcosahedron ico;
    const MeshRecorder r = record(ico);
    const auto tris = r.triangles();
    ASSERT_EQ(tris.size(), 20u);
    for (const auto& t : tris) {
        for (const auto* v : {&t.a, &t.b, &t.c})
            EXPECT_NEAR(length(v->position), 0.587785f, 1e-5f);
        const Vec3 centroid = (t.a.position + t.b.position + t.c.position) * (1.0f / 3);
        EXPECT_GT(dot(t.a.normal, centroid), 0);
        expectNear(t.a.normal, normalized(t.geometricNormal()));
    }
    expectFacesAgreeWithNormals(r);
}

TEST(Meshing, DummyCubeShowsItsEdgesOnlyWhenAskedTo) {
    TGLDummyCube d;
    EXPECT_FALSE(d.hasGeometry());
    d.setVisibleAtRunTime(true);
    d.setCubeSize(4);
    d.edgeColor().setColor(0.498039f, 1, 0, 1);
    ASSERT_TRUE(d.hasGeometry());
    const MeshRecorder r = record(d);
    ASSERT_EQ(r.primitives.size(), 1u);
    EXPECT_EQ(r.primitives[0].type, PrimitiveType::lines);
    EXPECT_TRUE(r.primitives[0].unlit);
    ASSERT_EQ(r.primitives[0].vertices.size(), 24u);
    for (const auto& v : r.primitives[0].vertices) {
        EXPECT_FLOAT_EQ(std::abs(v.position.x), 2);
        EXPECT_FLOAT_EQ(std::abs(v.position.y), 2);
        EXPECT_FLOAT_EQ(std::abs(v.position.z), 2);
        EXPECT_FLOAT_EQ(v.color.y, 1);
    }
}

} // namespace
} // namespace coilrun::engine
