#pragma once
#include "engine/objects/vector_math.h"

#include <gtest/gtest.h>

namespace coilrun::engine::test {

inline void expectNear(const Vec3& actual, const Vec3& expected, float eps = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, eps) << "x";
    EXPECT_NEAR(actual.y, expected.y, eps) << "y";
    EXPECT_NEAR(actual.z, expected.z, eps) << "z";
}

inline void expectNear(const Mat4& actual, const Mat4& expected, float eps = 1e-5f) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(actual.m[i][j], expected.m[i][j], eps) << "at " << i << "," << j;
}

inline void expectOrthonormal(const Vec3& d, const Vec3& u) {
    EXPECT_NEAR(length(d), 1, 1e-5f);
    EXPECT_NEAR(length(u), 1, 1e-5f);
    EXPECT_NEAR(dot(d, u), 0, 1e-5f);
}

} // namespace coilrun::engine::test
