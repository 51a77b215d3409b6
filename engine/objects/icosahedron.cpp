#include "engine/objects/icosahedron.h"

#include "engine/render/geometry_sink.h"

namespace coilrun::engine {

namespace {
constexpr float A = 0.5f, B = 0.309017f;
constexpr Vec3 kVertices[12] = {{0, -B, -A}, {0, -B, A}, {0, B, -A}, {0, B, A},
                                {-A, 0, -B}, {-A, 0, B}, {A, 0, -B}, {A, 0, B},
                                {-B, -A, 0}, {-B, A, 0}, {B, -A, 0}, {B, A, 0}};
constexpr int kFaces[20][3] = {{2, 9, 11}, {3, 11, 9}, {3, 5, 1},  {3, 1, 7},  {2, 6, 0},
                               {2, 0, 4},  {1, 8, 10}, {0, 10, 8}, {9, 4, 5},  {8, 5, 4},
                               {11, 7, 6}, {10, 6, 7}, {3, 9, 5},  {3, 7, 11}, {2, 4, 9},
                               {2, 11, 6}, {0, 8, 4},  {0, 6, 10}, {1, 5, 8},  {1, 10, 7}};
} // namespace

void TGLIcosahedron::buildList(GeometrySink& sink) {
    sink.begin(PrimitiveType::triangles);
    for (const auto& f : kFaces) {
        const Vec3 &a = kVertices[f[0]], &b = kVertices[f[1]], &c = kVertices[f[2]];
        sink.normal(normalized(cross(b - a, c - a)));
        sink.vertex(a);
        sink.vertex(b);
        sink.vertex(c);
    }
    sink.end();
}

} // namespace coilrun::engine
