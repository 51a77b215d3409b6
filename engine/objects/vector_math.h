#pragma once
#include <array>
#include <cmath>

namespace coilrun::engine {

// Single-precision vectors and matrices in the engine's convention: row vectors,
// a point p is transformed as p x M, so row 3 of a matrix is its translation.
// The memory layout of Mat4 is therefore exactly what glLoadMatrixf expects.

struct Vec3 {
    float x = 0, y = 0, z = 0;

    constexpr Vec3() = default;
    constexpr Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    constexpr Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vec3 operator-() const { return {-x, -y, -z}; }
    constexpr Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    constexpr Vec3& operator+=(const Vec3& o) { return *this = *this + o; }
    constexpr bool operator==(const Vec3&) const = default;
    constexpr float operator[](int i) const { return i == 0 ? x : i == 1 ? y : z; }
};

struct Vec4 {
    float x = 0, y = 0, z = 0, w = 0;

    constexpr Vec4() = default;
    constexpr Vec4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    constexpr Vec4(const Vec3& v, float w_) : x(v.x), y(v.y), z(v.z), w(w_) {}

    constexpr Vec3 xyz() const { return {x, y, z}; }
    constexpr bool operator==(const Vec4&) const = default;
    constexpr float operator[](int i) const { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
    constexpr float& operator[](int i) { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
};

constexpr float dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
constexpr Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(const Vec3& v) {
    return std::sqrt(dot(v, v));
}
constexpr float squaredLength(const Vec3& v) {
    return dot(v, v);
}
// A zero vector stays zero rather than turning into NaNs.
inline Vec3 normalized(const Vec3& v) {
    const float l = length(v);
    return l > 0 ? v * (1.0f / l) : v;
}

constexpr float kDegToRad = 3.14159265358979323846f / 180.0f;
constexpr float kRadToDeg = 180.0f / 3.14159265358979323846f;

// Rotates v about the unit axis by angleDeg, counter-clockwise when looking
// down the axis towards its origin (right-hand rule).
inline Vec3 rotated(const Vec3& v, const Vec3& axis, float angleDeg) {
    const float a = angleDeg * kDegToRad;
    const float c = std::cos(a), s = std::sin(a);
    return v * c + cross(axis, v) * s + axis * (dot(axis, v) * (1 - c));
}

struct Mat4 {
    // m[row][column]
    std::array<std::array<float, 4>, 4> m{};

    static constexpr Mat4 identity() {
        Mat4 r;
        for (int i = 0; i < 4; ++i)
            r.m[i][i] = 1;
        return r;
    }
    static constexpr Mat4 translation(const Vec3& t) {
        Mat4 r = identity();
        r.m[3] = {t.x, t.y, t.z, 1};
        return r;
    }
    static constexpr Mat4 scaling(const Vec3& s) {
        Mat4 r;
        r.m[0][0] = s.x;
        r.m[1][1] = s.y;
        r.m[2][2] = s.z;
        r.m[3][3] = 1;
        return r;
    }
    // Rotation of angleDeg about a unit axis, for row vectors.
    static Mat4 rotation(const Vec3& axis, float angleDeg) {
        Mat4 r = identity();
        const Vec3 rows[3] = {rotated({1, 0, 0}, axis, angleDeg),
                              rotated({0, 1, 0}, axis, angleDeg),
                              rotated({0, 0, 1}, axis, angleDeg)};
        for (int i = 0; i < 3; ++i)
            r.m[i] = {rows[i].x, rows[i].y, rows[i].z, 0};
        return r;
    }

    constexpr Vec3 row3(int i) const { return {m[i][0], m[i][1], m[i][2]}; }
    constexpr const float* data() const { return &m[0][0]; }

    // (*this) then o: a row vector is multiplied by *this first.
    constexpr Mat4 operator*(const Mat4& o) const {
        Mat4 r;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                float s = 0;
                for (int k = 0; k < 4; ++k)
                    s += m[i][k] * o.m[k][j];
                r.m[i][j] = s;
            }
        return r;
    }
    constexpr bool operator==(const Mat4&) const = default;

    constexpr Vec3 transformPoint(const Vec3& p) const {
        return {p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
                p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
                p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]};
    }
    constexpr Vec3 transformVector(const Vec3& v) const {
        return {v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0],
                v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1],
                v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2]};
    }
};

// General inverse; a singular matrix (an object scaled to 0) gives the identity
// so that callers never see infinities.
Mat4 inverted(const Mat4& a);

// The view matrix of an eye at `eye` looking at `centre` with `up` (row vectors).
Mat4 lookAtMatrix(const Vec3& eye, const Vec3& centre, const Vec3& up);

} // namespace coilrun::engine
