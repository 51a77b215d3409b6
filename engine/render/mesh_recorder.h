#pragma once
#include "engine/render/geometry_sink.h"

#include <vector>

namespace coilrun::engine {

// A geometry sink that keeps everything it is sent, for checking meshing
// without a GL context. Vertices and normals are stored as transformed by the
// sink's own matrix operations (the quadric calls record that matrix).
class MeshRecorder : public GeometrySink {
public:
    struct Vertex {
        Vec3 position;
        Vec3 normal;
        bool hasNormal = false;
        float s = 0, t = 0;
        Vec4 color{1, 1, 1, 1};
    };
    struct Primitive {
        PrimitiveType type;
        std::vector<Vertex> vertices;
        bool unlit = false;
    };
    struct QuadricCall {
        bool isDisk = false;
        QuadricStyle style;
        float radius0 = 0, radius1 = 0, height = 0;
        int slices = 0, stacks = 0; // stacks = loops for a disk
        Mat4 transform;             // local frame of the quadric
    };
    struct Triangle {
        Vertex a, b, c;
        // (b - a) x (c - a): points to the side the triangle faces (counter-clockwise).
        Vec3 geometricNormal() const {
            return cross(b.position - a.position, c.position - a.position);
        }
    };

    std::vector<Primitive> primitives;
    std::vector<QuadricCall> quadrics;
    int unbalanced = 0; // begin/end, push/pop or unlit pairs that did not match

    // Every filled primitive broken into triangles with its winding kept.
    std::vector<Triangle> triangles() const;
    std::size_t vertexCount() const;
    std::size_t countOf(PrimitiveType type) const;

    void begin(PrimitiveType type) override;
    void end() override;
    void normal(const Vec3& n) override { normal_ = n, hasNormal_ = true; }
    void texCoord(float s, float t) override { s_ = s, t_ = t; }
    void color(const Vec4& c) override { color_ = c; }
    void vertex(const Vec3& p) override;
    void pushMatrix() override { stack_.push_back(current_); }
    void popMatrix() override;
    void translate(const Vec3& t) override { current_ = Mat4::translation(t) * current_; }
    void rotate(float angleDeg, const Vec3& axis) override {
        current_ = Mat4::rotation(normalized(axis), angleDeg) * current_;
    }
    void cylinder(const QuadricStyle& style, float baseRadius, float topRadius, float height,
                  int slices, int stacks) override;
    void disk(const QuadricStyle& style, float innerRadius, float outerRadius, int slices,
              int loops) override;
    void beginUnlit() override { ++unlitDepth_; }
    void endUnlit() override;

private:
    Mat4 current_ = Mat4::identity();
    std::vector<Mat4> stack_;
    bool open_ = false;
    int unlitDepth_ = 0;
    Vec3 normal_{0, 0, 1};
    bool hasNormal_ = false;
    float s_ = 0, t_ = 0;
    Vec4 color_{1, 1, 1, 1};
};

} // namespace coilrun::engine
