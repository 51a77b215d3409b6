#include "engine/objects/cube.h"

namespace coilrun::engine {

void TGLCube::buildList(GeometrySink& sink) {
    const float w = width_ * 0.5f, h = height_ * 0.5f, d = depth_ * 0.5f;
    const bool inside = normalDirection_ == TGLNormalDirection::ndInside;
    const float sign = inside ? -1.0f : 1.0f;
    static constexpr float kTex[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

    // Corners counter-clockwise seen from outside, starting at the face's lower left.
    auto quad = [&](const Vec3& n, const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& e) {
        const Vec3 corners[4] = {a, b, c, e};
        sink.normal(n * sign);
        for (int k = 0; k < 4; ++k) {
            const int i = inside ? 3 - k : k;
            sink.texCoord(kTex[i][0], kTex[i][1]);
            sink.vertex(corners[i]);
        }
    };

    sink.begin(PrimitiveType::quads);
    if (parts_.cpFront) quad({0, 0, 1}, {-w, -h, d}, {w, -h, d}, {w, h, d}, {-w, h, d});
    if (parts_.cpBack) quad({0, 0, -1}, {w, -h, -d}, {-w, -h, -d}, {-w, h, -d}, {w, h, -d});
    if (parts_.cpLeft) quad({-1, 0, 0}, {-w, -h, -d}, {-w, -h, d}, {-w, h, d}, {-w, h, -d});
    if (parts_.cpRight) quad({1, 0, 0}, {w, -h, d}, {w, -h, -d}, {w, h, -d}, {w, h, d});
    if (parts_.cpTop) quad({0, 1, 0}, {-w, h, d}, {w, h, d}, {w, h, -d}, {-w, h, -d});
    if (parts_.cpBottom) quad({0, -1, 0}, {-w, -h, -d}, {w, -h, -d}, {w, -h, d}, {-w, -h, d});
    sink.end();
}

} // namespace coilrun::engine
