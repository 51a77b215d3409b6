#include "engine/hud/game_menu.h"

#include "engine/render/geometry_sink.h"
#include "engine/render/render_context.h"

#include <algorithm>
#include <cmath>

namespace coilrun::engine {
namespace {

// Round to nearest, halves to even (the default rounding mode).
int roundEven(double v) {
    return int(std::nearbyint(v));
}

} // namespace

TGLGameMenu::TGLGameMenu()
    : backColor_(this, {0, 0, 0, 0}), inactiveColor_(this, {0.75f, 0.75f, 0.75f, 1}),
      activeColor_(this, {1, 1, 1, 1}), disabledColor_(this, {0.6f, 0.6f, 0.6f, 1}) {}

TGLGameMenu::~TGLGameMenu() = default;

void TGLGameMenu::notification(TGLComponent* removed) {
    if (removed == font_) font_ = nullptr;
    if (removed == materialLibrary_) materialLibrary_ = nullptr;
    TGLSceneObject::notification(removed);
}

void TGLGameMenu::setMaterialLibrary(TGLMaterialLibrary* library) {
    if (library == materialLibrary_) return;
    if (materialLibrary_) materialLibrary_->removeFreeNotification(this);
    materialLibrary_ = library;
    if (library) library->addFreeNotification(this);
    changed();
}

void TGLGameMenu::setFont(TGLCustomBitmapFont* font) {
    if (font == font_) return;
    if (font_) font_->removeFreeNotification(this);
    font_ = font;
    if (font) font->addFreeNotification(this);
    changed();
}

void TGLGameMenu::setMenuScale(TGLGameMenuScale scale) {
    if (scale == menuScale_) return;
    menuScale_ = scale;
    changed();
}

void TGLGameMenu::setMarginHorz(int v) {
    if (v == marginHorz_) return;
    marginHorz_ = v;
    changed();
}

void TGLGameMenu::setMarginVert(int v) {
    if (v == marginVert_) return;
    marginVert_ = v;
    changed();
}

void TGLGameMenu::setSpacing(int v) {
    if (v == spacing_) return;
    spacing_ = v;
    changed();
}

void TGLGameMenu::setTitleMaterialName(const std::string& name) {
    if (name == titleMaterialName_) return;
    titleMaterialName_ = name;
    changed();
}

void TGLGameMenu::setTitleWidth(int v) {
    v = std::max(v, 0);
    if (v == titleWidth_) return;
    titleWidth_ = v;
    changed();
}

void TGLGameMenu::setTitleHeight(int v) {
    v = std::max(v, 0);
    if (v == titleHeight_) return;
    titleHeight_ = v;
    changed();
}

void TGLGameMenu::itemsChanged() {
    objects_.resize(items_.size(), nullptr);
    changed();
    setSelected(selected_);
}

void TGLGameMenu::setItems(const std::vector<std::string>& items) {
    items_ = items;
    objects_.assign(items_.size(), nullptr);
    itemsChanged();
}

void TGLGameMenu::addItem(const std::string& text, const void* object) {
    items_.push_back(text);
    objects_.resize(items_.size() - 1, nullptr);
    objects_.push_back(object);
    itemsChanged();
}

void TGLGameMenu::setItem(int index, const std::string& text) {
    if (index < 0 || index >= int(items_.size()) || items_[std::size_t(index)] == text) return;
    items_[std::size_t(index)] = text;
    itemsChanged();
}

void TGLGameMenu::clearItems() {
    items_.clear();
    objects_.clear();
    itemsChanged();
}

const void* TGLGameMenu::itemObject(int index) const {
    return index >= 0 && index < int(objects_.size()) ? objects_[std::size_t(index)] : nullptr;
}

void TGLGameMenu::setItemObject(int index, const void* object) {
    if (index < 0 || index >= int(items_.size())) return;
    objects_.resize(items_.size(), nullptr);
    if (objects_[std::size_t(index)] == object) return;
    objects_[std::size_t(index)] = object;
    changed();
}

bool TGLGameMenu::isEnabled(int index) const {
    return itemObject(index) == nullptr;
}

const TGLColor& TGLGameMenu::lineColor(int index) const {
    if (!isEnabled(index)) return disabledColor_;
    return index == selected_ ? activeColor_ : inactiveColor_;
}

void TGLGameMenu::setSelected(int index) {
    index = std::clamp(index, -1, int(items_.size()) - 1);
    if (index == selected_) return;
    selected_ = index;
    changed();
    if (onSelectedChanged) onSelectedChanged(*this);
}

std::string TGLGameMenu::selectedText() const {
    if (selected_ < 0 || selected_ >= int(items_.size())) return {};
    return items_[std::size_t(selected_)];
}

void TGLGameMenu::mouseMenuSelect(int x, int y) {
    // Without a font, or with rows that take no height, no row can be under the pointer.
    const int rowHeight = font_ ? font_->charHeight() + spacing_ : 0;
    if (!laidOut_ || rowHeight <= 0 || x < boxLeft_ || y < menuTop_ || x > boxRight_ ||
        y > boxBottom_) {
        setSelected(-1);
        return;
    }
    setSelected((y - menuTop_) / rowHeight);
}

int TGLGameMenu::layoutMenu() {
    if (!font_) return 0;
    const int n = int(items_.size());
    const int lh = font_->charHeight();
    int h = n * (lh + spacing_) + 2 * marginVert_ - spacing_;
    if (titleHeight_ > 0) h += titleHeight_ + spacing_;
    int widest = titleWidth_;
    for (const std::string& item : items_)
        widest = std::max(widest, font_->textWidth(item));
    const int w = widest + 2 * marginHorz_;

    const double x = position().x(), y = position().y();
    boxLeft_ = roundEven(x - w / 2.0);
    boxTop_ = roundEven(y - h / 2.0);
    boxRight_ = roundEven(x + w / 2.0);
    boxBottom_ = roundEven(y + h / 2.0);
    const int top = roundEven(y - h / 2.0 + marginVert_);
    // Without a title the selectable rows start Spacing pixels below the first line's
    // top; with one they start at the first line.
    menuTop_ = titleHeight_ < 1 ? top + spacing_ : top + titleHeight_ + spacing_;
    laidOut_ = true;
    return top;
}

void TGLGameMenu::doRender(RenderContext& ctx, bool renderSelf, bool renderChildren) {
    if (renderSelf && font_) drawMenu(ctx);
    if (renderChildren && count() > 0) this->renderChildren(0, int(count()) - 1, ctx);
}

void TGLGameMenu::drawMenu(RenderContext& ctx) {
    int y = layoutMenu();
    const float x = position().x();
    RenderBackend& backend = ctx.backend();

    backend.pushMatrix();
    if (menuScale_ == TGLGameMenuScale::gms1024x768 && ctx.viewportWidth > 0 &&
        ctx.viewportHeight > 0)
        backend.multMatrix(Mat4::scaling(
            {float(ctx.viewportWidth) / 1024.0f, float(ctx.viewportHeight) / 768.0f, 1}));

    if (backColor_.alpha() > 0) {
        QuadBatch box;
        box.color = backColor_.color();
        box.quads.push_back({float(boxLeft_), float(boxTop_), float(boxRight_), float(boxBottom_)});
        backend.drawQuads(box);
    }

    if (titleHeight_ > 0) {
        const TGLLibMaterial* title =
            (!titleMaterialName_.empty() && materialLibrary_ && titleWidth_ > 0)
                ? materialLibrary_->libMaterialByName(titleMaterialName_)
                : nullptr;
        if (title) {
            const float left = x - float(titleWidth_ / 2), right = x + float(titleWidth_ / 2);
            const float top = float(y), bottom = float(y + titleHeight_);
            ctx.applyMaterial(title->material());
            GeometrySink& sink = ctx.immediate();
            sink.color({1, 1, 1, 1});
            sink.begin(PrimitiveType::quads);
            sink.normal({0, 0, 1});
            // The picture's bottom row (t = 0) on the lower edge.
            sink.texCoord(0, 0);
            sink.vertex({left, bottom, 0});
            sink.texCoord(1, 0);
            sink.vertex({right, bottom, 0});
            sink.texCoord(1, 1);
            sink.vertex({right, top, 0});
            sink.texCoord(0, 1);
            sink.vertex({left, top, 0});
            sink.end();
            ctx.releaseMaterial(title->material());
        }
        y += titleHeight_ + spacing_;
    }

    const int lh = font_->charHeight();
    for (int i = 0; i < int(items_.size()); ++i) {
        const TGLColor& c = lineColor(i);
        const std::string& line = items_[std::size_t(i)];
        if (c.alpha() > 0) { // faded out it would change no pixel
            const Vec3 at{x - float(font_->textWidth(line) / 2), float(y), 0};
            font_->renderString(line, TGLTextAlignment::taLeftJustify, TGLTextLayout::tlTop,
                                c.color(), &at, true, backend);
        }
        y += lh + spacing_;
    }
    backend.popMatrix();
}

} // namespace coilrun::engine
