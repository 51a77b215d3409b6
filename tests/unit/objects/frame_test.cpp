// The transform of a scene object: the orthonormal frame, the rotations and the
// cached local and absolute matrices.
#include "engine/objects/dummy_cube.h"
#include "engine/objects/scene.h"
#include "engine/objects/sphere.h"
#include "test_support.h"

namespace coilrun::engine {
namespace {

using test::expectNear;
using test::expectOrthonormal;

TEST(Frame, DirectionParallelToUpFallsBackToAnotherAxis) {
    TGLDummyCube o;
    // Default Up is +Y; a Direction along Y leaves Direction x Up empty.
    o.setDirection({0, 1, 0});
    expectNear(o.direction().asAffine(), {0, 1, 0});
    expectOrthonormal(o.direction().asAffine(), o.up().asAffine());
    // right = (0,0,1) x Up = (-1,0,0); Up = right x Direction = (0,0,-1).
    expectNear(o.up().asAffine(), {0, 0, -1});

    // Up along Z with Direction along Z: the first fallback is parallel too.
    TGLDummyCube p;
    p.setUp({0, 0, 1});
    expectOrthonormal(p.direction().asAffine(), p.up().asAffine());
    expectNear(p.up().asAffine(), {0, 0, 1});
}

TEST(Frame, ZeroVectorsBecomeTheDefaultAxes) {
    TGLDummyCube o;
    o.setDirection({1, 0, 0});
    o.setDirection({0, 0, 0});
    expectNear(o.direction().asAffine(), {0, 0, 1});
    o.setUp({0, 0, 0});
    expectNear(o.up().asAffine(), {0, 1, 0});
    expectOrthonormal(o.direction().asAffine(), o.up().asAffine());
}

TEST(Frame, DirectionThenUpKeepsTheAuthoredPair) {
    // The horizontal logo bars: Direction (0,1,0), Up (-1,0,0), set in that order.
    TGLDummyCube o;
    o.setDirection({0, 1, 0});
    o.setUp({-1, 0, 0});
    expectNear(o.direction().asAffine(), {0, 1, 0});
    expectNear(o.up().asAffine(), {-1, 0, 0});
    // An unnormalised direction is normalised and Up squared against it.
    o.setDirection({0, 0, 2});
    expectNear(o.direction().asAffine(), {0, 0, 1});
    expectOrthonormal(o.direction().asAffine(), o.up().asAffine());
}

TEST(Frame, FullTurnInSmallStepsReturnsToStart) {
    TGLDummyCube o;
    o.setDirection({0.3f, 0.2f, 0.9f});
    const Vec3 d0 = o.direction().asAffine(), u0 = o.up().asAffine();
    for (int i = 0; i < 720; ++i)
        o.turn(0.5f);
    expectNear(o.direction().asAffine(), d0, 1e-4f);
    expectNear(o.up().asAffine(), u0, 1e-4f);
    for (int i = 0; i < 3600; ++i)
        o.roll(-0.1f);
    expectNear(o.direction().asAffine(), d0, 1e-4f);
    expectNear(o.up().asAffine(), u0, 1e-4f);
    expectOrthonormal(o.direction().asAffine(), o.up().asAffine());
}

TEST(Frame, TurnRotatesAboutUpAndReadsTheTurnAngle) {
    TGLDummyCube o;
    o.turn(90);
    // Positive turns swing +Z towards +X (right-hand rule about +Y).
    expectNear(o.direction().asAffine(), {1, 0, 0});
    expectNear(o.up().asAffine(), {0, 1, 0});
    EXPECT_NEAR(o.turnAngle(), 0, 1e-3f);
    o.turn(90); // now along -X, Y = 0: the folded readout
    expectNear(o.direction().asAffine(), {0, 0, -1});
    EXPECT_NEAR(o.turnAngle(), -90, 1e-3f);
}

TEST(Frame, AbsoluteAnglesRotateByTheDifferenceExceptWhileLoading) {
    TGLDummyCube x;
    x.setRollAngle(90); // the X connectors of the snake
    // Up rotated by (0 - 90) about Direction (+Z): +Y goes to +X.
    expectNear(x.up().asAffine(), {1, 0, 0});
    EXPECT_FLOAT_EQ(x.rollAngle(), 90);
    x.setRollAngle(90); // unchanged: no rotation
    expectNear(x.up().asAffine(), {1, 0, 0});
    x.setRollAngle(270); // stored normalised
    EXPECT_FLOAT_EQ(x.rollAngle(), -90);
    expectNear(x.up().asAffine(), {-1, 0, 0});

    TGLDummyCube loaded;
    loaded.beginLoading();
    loaded.setUp({1, 0, 0}); // the loaded frame already includes the roll
    loaded.setRollAngle(90);
    loaded.endLoading();
    expectNear(loaded.up().asAffine(), {1, 0, 0});
    EXPECT_FLOAT_EQ(loaded.rollAngle(), 90);
}

TEST(Frame, LoadingForcesPositionToAPoint) {
    TGLDummyCube o;
    o.beginLoading();
    o.position().setW(0);
    o.position().setX(2);
    o.endLoading();
    EXPECT_FLOAT_EQ(o.position().w(), 1);
    EXPECT_FLOAT_EQ(o.absolutePosition().x, 2);
}

TEST(Matrix, LocalMatrixRowsAreScaledAxesAndPosition) {
    TGLDummyCube o;
    o.setDirection({1, 0, 0}); // Up stays +Y, local X = Up x Direction = (0,0,-1)
    o.setScale({2, 3, 4});
    o.setPosition(5, 6, 7);
    Mat4 expected;
    expected.m[0] = {0, 0, -2, 0};
    expected.m[1] = {0, 3, 0, 0};
    expected.m[2] = {4, 0, 0, 0};
    expected.m[3] = {5, 6, 7, 1};
    expectNear(o.localMatrix(), expected);
}

TEST(Matrix, AbsoluteMatrixComposesLocalWithParents) {
    TGLScene scene;
    auto& parent = scene.objects().addNewChild<TGLDummyCube>();
    parent.setPosition(10, 0, 0);
    parent.turn(90); // Direction +X, local X axis = (0,0,-1)
    parent.setScale({2, 2, 2});
    auto& child = parent.addNewChild<TGLDummyCube>();
    child.setPosition(1, 2, 3);
    // Child point (1,2,3) in the parent frame: 1*(0,0,-2) + 2*(0,2,0) + 3*(2,0,0) + (10,0,0).
    expectNear(child.absolutePosition(), {16, 4, -2});
    expectNear(child.absoluteMatrix().transformPoint({0, 0, 1}), {18, 4, -2});
    // The root adds nothing: a top-level object's absolute matrix is its local one.
    expectNear(parent.absoluteMatrix(), parent.localMatrix());
    expectNear(child.invAbsoluteMatrix().transformPoint({16, 4, -2}), {0, 0, 0}, 1e-4f);
}

TEST(Matrix, ParentChangesMakeDescendantsStaleAndAreRecomputedLazily) {
    TGLScene scene;
    auto& a = scene.objects().addNewChild<TGLDummyCube>();
    auto& b = a.addNewChild<TGLDummyCube>();
    auto& c = b.addNewChild<TGLDummyCube>();
    c.setPosition(0, 0, 1);
    expectNear(c.absolutePosition(), {0, 0, 1});
    EXPECT_EQ(c.changes() & ocAbsoluteMatrix, 0u);

    a.setPosition(0, 5, 0);
    EXPECT_NE(b.changes() & ocAbsoluteMatrix, 0u);
    EXPECT_NE(c.changes() & ocAbsoluteMatrix, 0u);
    EXPECT_EQ(c.changes() & ocLocalMatrix, 0u); // its own frame did not change
    expectNear(c.absolutePosition(), {0, 5, 1});

    // Read the middle one only; a later change above must still reach the leaf.
    b.setPosition(1, 0, 0);
    expectNear(b.absolutePosition(), {1, 5, 0});
    a.setPosition(0, 0, 0);
    expectNear(c.absolutePosition(), {1, 0, 1});
}

TEST(Matrix, ZeroScaleCollapsesTheSubtree) {
    TGLScene scene;
    auto& logo = scene.objects().addNewChild<TGLDummyCube>();
    logo.setPosition(14.7f, 5, 0);
    logo.setScale({0, 0, 0});
    auto& part = logo.addNewChild<TGLSphere>();
    part.setPosition(3, -1, 2);
    auto& leaf = part.addNewChild<TGLSphere>();
    leaf.setPosition(1, 1, 1);
    // Everything below lands on the collapsed node's position.
    expectNear(part.absolutePosition(), {14.7f, 5, 0});
    expectNear(leaf.absoluteMatrix().transformPoint({0.5f, 0.5f, 0.5f}), {14.7f, 5, 0});
    // No inverse exists: the identity rather than infinities.
    expectNear(leaf.invAbsoluteMatrix(), Mat4::identity());
    logo.setScale({1, 1, 1});
    expectNear(leaf.absolutePosition(), {18.7f, 5, 3});
}

TEST(Matrix, NegativeScaleMirrors) {
    TGLDummyCube o;
    o.setScale({6, 6, -6}); // the game's shell capsule
    expectNear(o.localMatrix().transformPoint({1, 1, 1}), {6, 6, -6});
    // A mirror reverses handedness: the determinant of the 3x3 part is negative.
    const Mat4& m = o.localMatrix();
    const Vec3 x = m.row3(0), y = m.row3(1), z = m.row3(2);
    EXPECT_LT(dot(cross(x, y), z), 0);
}

TEST(Matrix, SetPositionCopiesAnotherObjectsPosition) {
    TGLScene scene;
    auto& a = scene.objects().addNewChild<TGLSphere>();
    auto& b = scene.objects().addNewChild<TGLSphere>();
    a.setPosition(2, 4, -6);
    b.setPosition(a);
    expectNear(b.absolutePosition(), {2, 4, -6});
    EXPECT_FLOAT_EQ(b.position().w(), 1);
}

} // namespace
} // namespace coilrun::engine
