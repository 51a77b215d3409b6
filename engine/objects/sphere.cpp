#include "engine/objects/sphere.h"

#include <algorithm>

namespace coilrun::engine {

void TGLSphere::setTop(float deg) {
    setStructural(top_, std::clamp(deg, -90.0f, 90.0f));
}
void TGLSphere::setBottom(float deg) {
    setStructural(bottom_, std::clamp(deg, -90.0f, 90.0f));
}
void TGLSphere::setStart(float deg) {
    setStructural(start_, std::clamp(deg, 0.0f, 360.0f));
}
void TGLSphere::setStop(float deg) {
    setStructural(stop_, std::clamp(deg, 0.0f, 360.0f));
}

namespace {
// Unit direction at latitude phi, longitude theta (degrees); longitude 0 is +Z
// and grows towards +X.
Vec3 onSphere(float phiDeg, float thetaDeg) {
    const float phi = phiDeg * kDegToRad, theta = thetaDeg * kDegToRad;
    return {std::cos(phi) * std::sin(theta), std::sin(phi), std::cos(phi) * std::cos(theta)};
}
} // namespace

void TGLSphere::buildList(GeometrySink& sink) {
    if (slices_ < 1 || stacks_ < 1 || top_ <= bottom_ || stop_ <= start_) return;
    const QuadricStyle style = quadricStyle();
    const bool withNormals = style.normals != QuadricNormals::none;
    const float sign = style.inside ? -1.0f : 1.0f;
    const float dTheta = (stop_ - start_) / float(slices_);
    const float dPhi = (top_ - bottom_) / float(stacks_);

    auto emit = [&](float phi, float theta) {
        const Vec3 p = onSphere(phi, theta);
        if (withNormals) sink.normal(p * sign);
        sink.texCoord((theta - start_) / (stop_ - start_), (phi - bottom_) / (top_ - bottom_));
        sink.vertex(p * radius_);
    };

    // Each strip pairs the upper and the lower ring of its stack; that order
    // makes the faces counter-clockwise seen from outside.
    for (int j = 0; j < stacks_; ++j) {
        const float phiUpper = top_ - float(j) * dPhi;
        const float phiLower = j + 1 == stacks_ ? bottom_ : phiUpper - dPhi;
        sink.begin(PrimitiveType::triangleStrip);
        for (int i = 0; i <= slices_; ++i) {
            const float theta = i == slices_ ? stop_ : start_ + float(i) * dTheta;
            if (style.inside) {
                emit(phiLower, theta);
                emit(phiUpper, theta);
            } else {
                emit(phiUpper, theta);
                emit(phiLower, theta);
            }
        }
        sink.end();
    }

    // A cap is a fan around the cut ring: from the centre (a cone) or from the
    // ring's own height (a flat disc). Seen from outside the cap, its ring runs
    // counter-clockwise for growing longitude at the top, the other way at the bottom.
    auto cap = [&](float phi, TGLCapType type, bool isTop) {
        const float h = std::sin(phi * kDegToRad);
        const Vec3 centre = type == TGLCapType::ctCenter ? Vec3{0, 0, 0} : Vec3{0, h, 0};
        const Vec3 axis = isTop ? Vec3{0, 1, 0} : Vec3{0, -1, 0};
        const bool forward = isTop != style.inside;
        sink.begin(PrimitiveType::triangleFan);
        if (withNormals) sink.normal(axis * sign);
        sink.texCoord(0.5f, 0.5f);
        sink.vertex(centre * radius_);
        for (int k = 0; k <= slices_; ++k) {
            const int i = forward ? k : slices_ - k;
            const float theta = i == slices_ ? stop_ : start_ + float(i) * dTheta;
            const Vec3 p = onSphere(phi, theta);
            if (withNormals) {
                Vec3 n = axis;
                if (type == TGLCapType::ctCenter) {
                    // The cone's normal: perpendicular to the line from the centre
                    // to the ring, on the side of the removed part.
                    const Vec3 radial = normalized(Vec3{p.x, 0, p.z});
                    const float c = std::cos(phi * kDegToRad), s = std::sin(phi * kDegToRad);
                    n = isTop ? radial * -s + Vec3{0, c, 0} : radial * s + Vec3{0, -c, 0};
                }
                sink.normal(n * sign);
            }
            sink.texCoord(0.5f + 0.5f * p.x, 0.5f + 0.5f * p.z);
            sink.vertex(p * radius_);
        }
        sink.end();
    };
    if (top_ < 90 && topCap_ != TGLCapType::ctNone) cap(top_, topCap_, true);
    if (bottom_ > -90 && bottomCap_ != TGLCapType::ctNone) cap(bottom_, bottomCap_, false);
}

} // namespace coilrun::engine
