#pragma once
#include "engine/objects/vector_math.h"

namespace coilrun::engine {

enum class PrimitiveType {
    points,
    lines,
    lineLoop,
    lineStrip,
    triangles,
    triangleStrip,
    triangleFan,
    quads,
    quadStrip,
    polygon
};

enum class QuadricNormals { smooth, flat, none };

// How a GLU quadric is generated.
struct QuadricStyle {
    QuadricNormals normals = QuadricNormals::smooth;
    bool inside = false; // normals and front faces point inwards
    bool texture = true;
    bool operator==(const QuadricStyle&) const = default;
};

// Where a shape sends its geometry, in the object's local frame. On screen this
// is immediate-mode GL (usually inside a display list being compiled); in tests
// a recorder that keeps every vertex, so that meshing is checked without a GL context.
class GeometrySink {
public:
    virtual ~GeometrySink() = default;

    virtual void begin(PrimitiveType type) = 0;
    virtual void end() = 0;
    // The normal, texture coordinate and colour apply to the vertices that follow.
    virtual void normal(const Vec3& n) = 0;
    virtual void texCoord(float s, float t) = 0;
    virtual void color(const Vec4& c) = 0;
    virtual void vertex(const Vec3& p) = 0;

    virtual void pushMatrix() = 0;
    virtual void popMatrix() = 0;
    virtual void translate(const Vec3& t) = 0;
    // Degrees about a unit axis.
    virtual void rotate(float angleDeg, const Vec3& axis) = 0;

    // A GLU cylinder along +Z from z = 0 (baseRadius) to z = height (topRadius).
    virtual void cylinder(const QuadricStyle& style, float baseRadius, float topRadius,
                          float height, int slices, int stacks) = 0;
    // A GLU disk in the z = 0 plane, facing +Z (or -Z when style.inside).
    virtual void disk(const QuadricStyle& style, float innerRadius, float outerRadius, int slices,
                      int loops) = 0;

    // Lines and points in a flat colour: lighting and texturing off until endUnlit.
    virtual void beginUnlit() = 0;
    virtual void endUnlit() = 0;
};

} // namespace coilrun::engine
