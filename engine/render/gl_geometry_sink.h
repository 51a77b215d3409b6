#pragma once
#include "engine/render/geometry_sink.h"

struct GLUquadric;

namespace coilrun::engine {

// Geometry straight into the current GL context (or the display list being compiled).
class GlGeometrySink : public GeometrySink {
public:
    GlGeometrySink() = default;
    GlGeometrySink(const GlGeometrySink&) = delete;
    GlGeometrySink& operator=(const GlGeometrySink&) = delete;
    ~GlGeometrySink() override;

    void begin(PrimitiveType type) override;
    void end() override;
    void normal(const Vec3& n) override;
    void texCoord(float s, float t) override;
    void color(const Vec4& c) override;
    void vertex(const Vec3& p) override;
    void pushMatrix() override;
    void popMatrix() override;
    void translate(const Vec3& t) override;
    void rotate(float angleDeg, const Vec3& axis) override;
    void cylinder(const QuadricStyle& style, float baseRadius, float topRadius, float height,
                  int slices, int stacks) override;
    void disk(const QuadricStyle& style, float innerRadius, float outerRadius, int slices,
              int loops) override;
    void beginUnlit() override;
    void endUnlit() override;

private:
    GLUquadric* quadric(const QuadricStyle& style);
    // GLU quadric state lives on the client side, so it survives context loss.
    GLUquadric* quadric_ = nullptr;
};

} // namespace coilrun::engine
