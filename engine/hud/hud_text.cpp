#include "engine/hud/hud_text.h"

#include "engine/render/render_context.h"

namespace coilrun::engine {

TGLHUDText::TGLHUDText() : modulateColor_(this, {1, 1, 1, 1}) {}

TGLHUDText::~TGLHUDText() = default;

void TGLHUDText::notification(TGLComponent* removed) {
    if (removed == font_) font_ = nullptr;
    TGLImmaterialSceneObject::notification(removed);
}

void TGLHUDText::setBitmapFont(TGLCustomBitmapFont* font) {
    if (font == font_) return;
    if (font_) font_->removeFreeNotification(this);
    font_ = font;
    if (font) font->addFreeNotification(this);
    notifyRedraw();
}

void TGLHUDText::setText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    notifyRedraw();
}

void TGLHUDText::setRotation(float degrees) {
    if (degrees == rotation_) return;
    rotation_ = degrees;
    notifyRedraw();
}

void TGLHUDText::setAlignment(TGLTextAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    notifyRedraw();
}

void TGLHUDText::setLayout(TGLTextLayout layout) {
    if (layout == layout_) return;
    layout_ = layout;
    notifyRedraw();
}

Mat4 TGLHUDText::textMatrix(float dpi) const {
    // Pictures made for another resolution than the screen's grow with it.
    const float f = dpi > 0 ? dpi / 96.0f : 1.0f;
    Mat4 m = Mat4::scaling({f * scale().x(), f * scale().y(), 1});
    if (rotation_ != 0) m = m * Mat4::rotation({0, 0, 1}, rotation_);
    // The font lays text out with Y up; the overlay counts pixels downward.
    m = m * Mat4::scaling({1, -1, 1});
    return m * Mat4::translation({f * position().x(), f * position().y(), position().z()});
}

void TGLHUDText::doRender(RenderContext& ctx, bool renderSelf, bool renderChildren) {
    // Faded out completely it would change no pixel.
    if (renderSelf && font_ && !text_.empty() && modulateColor_.alpha() > 0) {
        RenderBackend& backend = ctx.backend();
        backend.pushMatrix();
        backend.multMatrix(textMatrix(ctx.dpi));
        font_->renderString(text_, alignment_, layout_, modulateColor_.color(), nullptr, false,
                            backend);
        backend.popMatrix();
    }
    if (renderChildren && count() > 0) this->renderChildren(0, int(count()) - 1, ctx);
}

} // namespace coilrun::engine
