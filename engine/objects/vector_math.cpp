#include "engine/objects/vector_math.h"

namespace coilrun::engine {

Mat4 inverted(const Mat4& a) {
    // Gauss-Jordan with partial pivoting; 4x4 is small enough not to bother with cofactors.
    double w[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            w[i][j] = a.m[i][j];
            w[i][j + 4] = i == j ? 1 : 0;
        }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::abs(w[r][c]) > std::abs(w[pivot][c])) pivot = r;
        if (std::abs(w[pivot][c]) < 1e-12) return Mat4::identity();
        if (pivot != c)
            for (int j = 0; j < 8; ++j)
                std::swap(w[c][j], w[pivot][j]);
        const double inv = 1.0 / w[c][c];
        for (int j = 0; j < 8; ++j)
            w[c][j] *= inv;
        for (int r = 0; r < 4; ++r) {
            if (r == c || w[r][c] == 0) continue;
            const double f = w[r][c];
            for (int j = 0; j < 8; ++j)
                w[r][j] -= f * w[c][j];
        }
    }
    Mat4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = float(w[i][j + 4]);
    return r;
}

Mat4 lookAtMatrix(const Vec3& eye, const Vec3& centre, const Vec3& up) {
    const Vec3 f = normalized(centre - eye);
    const Vec3 s = normalized(cross(f, up));
    const Vec3 u = cross(s, f);
    Mat4 r = Mat4::identity();
    r.m[0] = {s.x, u.x, -f.x, 0};
    r.m[1] = {s.y, u.y, -f.y, 0};
    r.m[2] = {s.z, u.z, -f.z, 0};
    r.m[3] = {-dot(s, eye), -dot(u, eye), dot(f, eye), 1};
    return r;
}

} // namespace coilrun::engine
