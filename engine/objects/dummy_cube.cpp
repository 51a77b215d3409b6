#include "engine/objects/dummy_cube.h"

#include "engine/render/geometry_sink.h"

namespace coilrun::engine {

void TGLDummyCube::buildList(GeometrySink& sink) {
    const float h = cubeSize_ * 0.5f;
    sink.beginUnlit();
    sink.color(edgeColor_.color());
    sink.begin(PrimitiveType::lines);
    // Four edges along each axis.
    for (int axis = 0; axis < 3; ++axis)
        for (int corner = 0; corner < 4; ++corner) {
            const float a = (corner & 1) ? h : -h;
            const float b = (corner & 2) ? h : -h;
            Vec3 p0, p1;
            if (axis == 0) {
                p0 = {-h, a, b};
                p1 = {h, a, b};
            } else if (axis == 1) {
                p0 = {a, -h, b};
                p1 = {a, h, b};
            } else {
                p0 = {a, b, -h};
                p1 = {a, b, h};
            }
            sink.vertex(p0);
            sink.vertex(p1);
        }
    sink.end();
    sink.endUnlit();
}

} // namespace coilrun::engine
