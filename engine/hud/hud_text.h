#pragma once
#include "engine/hud/bitmap_font.h"
#include "engine/objects/color.h"
#include "engine/objects/immaterial_scene_object.h"

#include <string>

namespace coilrun::engine {

// One string over the 3D view. Position.X and .Y are window pixels from the top-left
// corner, Y downward, Position.Z its depth; Scale.X and .Y scale the text. It lies over
// the scene (no depth test) and its children are drawn after it.
class TGLHUDText : public TGLImmaterialSceneObject {
public:
    TGLHUDText();
    ~TGLHUDText() override;
    std::string className() const override { return "TGLHUDText"; }

    TGLCustomBitmapFont* bitmapFont() const { return font_; }
    void setBitmapFont(TGLCustomBitmapFont* font);
    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    // Degrees about the view axis, counter-clockwise on the screen.
    float rotation() const { return rotation_; }
    void setRotation(float degrees);
    TGLTextAlignment alignment() const { return alignment_; }
    void setAlignment(TGLTextAlignment alignment);
    TGLTextLayout layout() const { return layout_; }
    void setLayout(TGLTextLayout layout);
    // Modulates the white glyphs; its alpha fades the text.
    TGLColor& modulateColor() { return modulateColor_; }
    const TGLColor& modulateColor() const { return modulateColor_; }
    void setModulateColor(const Vec4& c) { modulateColor_.setColor(c); }

    // The matrix that takes the font's pixels (Y up) to the overlay's pixel space (Y down)
    // for a picture made at dpi.
    Mat4 textMatrix(float dpi) const;

    bool drawsInOverlayPass() const override { return true; }
    void doRender(RenderContext& ctx, bool renderSelf, bool renderChildren) override;

protected:
    void notification(TGLComponent* removed) override;

private:
    TGLCustomBitmapFont* font_ = nullptr;
    std::string text_;
    float rotation_ = 0;
    TGLTextAlignment alignment_ = TGLTextAlignment::taLeftJustify;
    TGLTextLayout layout_ = TGLTextLayout::tlTop;
    TGLColor modulateColor_;
};

} // namespace coilrun::engine
