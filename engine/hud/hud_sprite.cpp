#include "engine/hud/hud_sprite.h"

#include "engine/render/geometry_sink.h"

#include <algorithm>

namespace coilrun::engine {

TGLHUDSprite::TGLHUDSprite() = default;

void TGLHUDSprite::setWidth(float v) {
    if (v == width_) return;
    width_ = v;
    notifyRedraw();
}

void TGLHUDSprite::setHeight(float v) {
    if (v == height_) return;
    height_ = v;
    notifyRedraw();
}

void TGLHUDSprite::setXTiles(int v) {
    v = std::max(v, 1);
    if (v == xTiles_) return;
    xTiles_ = v;
    notifyRedraw();
}

void TGLHUDSprite::setYTiles(int v) {
    v = std::max(v, 1);
    if (v == yTiles_) return;
    yTiles_ = v;
    notifyRedraw();
}

void TGLHUDSprite::setRotation(float degrees) {
    if (degrees == rotation_) return;
    rotation_ = degrees;
    notifyRedraw();
}

void TGLHUDSprite::buildList(GeometrySink& sink) {
    const float hw = width_ / 2, hh = height_ / 2;
    const float s = float(xTiles_), t = float(yTiles_);
    sink.pushMatrix();
    sink.translate({position().x(), position().y(), position().z()});
    // Y runs down the screen, so a turn about -Z is counter-clockwise to the eye.
    if (rotation_ != 0) sink.rotate(rotation_, {0, 0, -1});
    sink.begin(PrimitiveType::quads);
    sink.normal({0, 0, 1});
    // Texture (0, 0) at the lower left, as on every other face of the engine.
    sink.texCoord(0, t);
    sink.vertex({-hw, -hh, 0});
    sink.texCoord(0, 0);
    sink.vertex({-hw, hh, 0});
    sink.texCoord(s, 0);
    sink.vertex({hw, hh, 0});
    sink.texCoord(s, t);
    sink.vertex({hw, -hh, 0});
    sink.end();
    sink.popMatrix();
}

} // namespace coilrun::engine
