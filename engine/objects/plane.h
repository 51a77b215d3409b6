#pragma once
#include "engine/objects/scene_object.h"

namespace coilrun::engine {

struct TGLPlaneStyles {
    bool psSingleQuad = true;
    bool psTileTexture = true;
    bool operator==(const TGLPlaneStyles&) const = default;
};

// A rectangle in the local XY plane facing +Z, as one quad or as a grid of
// XTiles x YTiles cells.
class TGLPlane : public TGLSceneObject {
public:
    std::string className() const override { return "TGLPlane"; }

    float width() const { return width_; }
    void setWidth(float v) { setStructural(width_, v); }
    float height() const { return height_; }
    void setHeight(float v) { setStructural(height_, v); }
    float xOffset() const { return xOffset_; }
    void setXOffset(float v) { setStructural(xOffset_, v); }
    float yOffset() const { return yOffset_; }
    void setYOffset(float v) { setStructural(yOffset_, v); }
    float xScope() const { return xScope_; }
    void setXScope(float v) { setStructural(xScope_, v); }
    float yScope() const { return yScope_; }
    void setYScope(float v) { setStructural(yScope_, v); }
    int xTiles() const { return xTiles_; }
    void setXTiles(int n) { setStructural(xTiles_, n); }
    int yTiles() const { return yTiles_; }
    void setYTiles(int n) { setStructural(yTiles_, n); }
    const TGLPlaneStyles& style() const { return style_; }
    void setStyle(const TGLPlaneStyles& s) { setStructural(style_, s); }

    void buildList(GeometrySink& sink) override;

private:
    float width_ = 1, height_ = 1;
    float xOffset_ = 0, yOffset_ = 0;
    float xScope_ = 1, yScope_ = 1;
    int xTiles_ = 1, yTiles_ = 1;
    TGLPlaneStyles style_;
};

} // namespace coilrun::engine
