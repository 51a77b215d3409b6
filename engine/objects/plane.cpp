#include "engine/objects/plane.h"

#include "engine/render/geometry_sink.h"

namespace coilrun::engine {

void TGLPlane::buildList(GeometrySink& sink) {
    const float hw = width_ * 0.5f, hh = height_ * 0.5f;
    // Texture range: the scope once, or tiled from the offset.
    const float s0 = style_.psTileTexture ? xOffset_ : 0;
    const float t0 = style_.psTileTexture ? yOffset_ : 0;
    const float sRange = style_.psTileTexture ? float(xTiles_) * xScope_ : xScope_;
    const float tRange = style_.psTileTexture ? float(yTiles_) * yScope_ : yScope_;

    sink.normal({0, 0, 1});
    if (style_.psSingleQuad) {
        sink.begin(PrimitiveType::quads);
        sink.texCoord(s0, t0);
        sink.vertex({-hw, -hh, 0});
        sink.texCoord(s0 + sRange, t0);
        sink.vertex({hw, -hh, 0});
        sink.texCoord(s0 + sRange, t0 + tRange);
        sink.vertex({hw, hh, 0});
        sink.texCoord(s0, t0 + tRange);
        sink.vertex({-hw, hh, 0});
        sink.end();
        return;
    }
    if (xTiles_ < 1 || yTiles_ < 1) return;
    for (int j = 0; j < yTiles_; ++j) {
        const float v0 = float(j) / float(yTiles_), v1 = float(j + 1) / float(yTiles_);
        sink.begin(PrimitiveType::triangleStrip);
        for (int i = 0; i <= xTiles_; ++i) {
            const float u = float(i) / float(xTiles_);
            const float x = -hw + u * width_;
            // Upper row first: counter-clockwise seen from +Z.
            sink.texCoord(s0 + u * sRange, t0 + v1 * tRange);
            sink.vertex({x, -hh + v1 * height_, 0});
            sink.texCoord(s0 + u * sRange, t0 + v0 * tRange);
            sink.vertex({x, -hh + v0 * height_, 0});
        }
        sink.end();
    }
}

} // namespace coilrun::engine
