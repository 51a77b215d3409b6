#include "engine/objects/capsule.h"

namespace coilrun::engine {

void TGLCapsule::buildList(GeometrySink& sink) {
    const int n = slices_ * stacks_;
    if (slices_ < 1 || stacks_ < 1) return;
    const float step = 2 * 3.14159265358979323846f / float(n);
    const float hh = height_ * 0.5f;
    // Each hemisphere is Slices rings from its rim to its pole.
    const float latStep = 0.5f * 3.14159265358979323846f / float(slices_);

    // Round the axis from (0, 1), turning towards -X: with upper-then-lower pairs
    // that makes the faces counter-clockwise seen from outside.
    auto around = [&](int i) {
        const float a = float(i) * step;
        return Vec3{-std::sin(a), std::cos(a), 0};
    };

    sink.pushMatrix();
    sink.rotate(-90, {0, 0, 1});
    if (alignment_ == TGLCylinderAlignment::caTop)
        sink.translate({0, 0, -(hh + radius_)});
    else if (alignment_ == TGLCylinderAlignment::caBottom)
        sink.translate({0, 0, hh + radius_});

    if (parts_.cySides) {
        sink.begin(PrimitiveType::triangleStrip);
        for (int i = 0; i <= n; ++i) {
            const Vec3 r = around(i % n);
            const float s = float(i) / float(n);
            sink.normal(r);
            sink.texCoord(s, 1);
            sink.vertex({r.x * radius_, r.y * radius_, hh});
            sink.normal(r);
            sink.texCoord(s, 0);
            sink.vertex({r.x * radius_, r.y * radius_, -hh});
        }
        sink.end();
    }

    // side = +1 for the +Z cap, -1 for the -Z cap. The ring nearer +Z comes
    // first in each pair, as on the side.
    auto hemisphere = [&](float side) {
        for (int k = 0; k < slices_; ++k) {
            const float lat0 = float(k) * latStep, lat1 = float(k + 1) * latStep;
            const float nearLat = side > 0 ? lat1 : lat0, farLat = side > 0 ? lat0 : lat1;
            sink.begin(PrimitiveType::triangleStrip);
            for (int i = 0; i <= n; ++i) {
                const Vec3 r = around(i % n);
                const float s = float(i) / float(n);
                for (const float lat : {nearLat, farLat}) {
                    const Vec3 dir{r.x * std::cos(lat), r.y * std::cos(lat), side * std::sin(lat)};
                    sink.normal(dir);
                    sink.texCoord(s, lat / (0.5f * 3.14159265358979323846f));
                    sink.vertex({dir.x * radius_, dir.y * radius_, side * hh + dir.z * radius_});
                }
            }
            sink.end();
        }
    };
    if (parts_.cyTop) hemisphere(1);
    if (parts_.cyBottom) hemisphere(-1);
    sink.popMatrix();
}

} // namespace coilrun::engine
