#pragma once
#include "engine/objects/scene_object.h"

namespace coilrun::engine {

// A textured rectangle over the 3D view: Width x Height window pixels centred on
// Position.X, .Y (from the top-left, Y downward), in its material, which is usually a
// library entry switched by Material.LibMaterialName. The texture repeats XTiles x
// YTiles times.
class TGLHUDSprite : public TGLSceneObject {
public:
    TGLHUDSprite();
    std::string className() const override { return "TGLHUDSprite"; }

    float width() const { return width_; }
    void setWidth(float v);
    float height() const { return height_; }
    void setHeight(float v);
    int xTiles() const { return xTiles_; }
    void setXTiles(int v);
    int yTiles() const { return yTiles_; }
    void setYTiles(int v);
    // Degrees about the view axis, counter-clockwise on the screen.
    float rotation() const { return rotation_; }
    void setRotation(float degrees);

    bool drawsInOverlayPass() const override { return true; }
    // Overlay objects are drawn in tree order, never sorted by distance like blended ones.
    bool blended() const override { return false; }
    bool cachesGeometry() const override { return false; }
    // The rectangle in overlay pixels (the modelview is the identity there).
    void buildList(GeometrySink& sink) override;

private:
    float width_ = 16;
    float height_ = 16;
    int xTiles_ = 1;
    int yTiles_ = 1;
    float rotation_ = 0;
};

} // namespace coilrun::engine
