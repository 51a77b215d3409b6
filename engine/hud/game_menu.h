#pragma once
#include "engine/hud/bitmap_font.h"
#include "engine/objects/color.h"
#include "engine/objects/material_library.h"
#include "engine/objects/scene_object.h"

#include <functional>
#include <string>
#include <vector>

namespace coilrun::engine {

// The pixel space a menu is laid out in: the viewport's, or a 1024 x 768 canvas
// stretched over it.
enum class TGLGameMenuScale { gmsNormal, gms1024x768 };

// A vertical list of text lines in a box over the 3D view, one of them selected by the
// pointer. Position.X and .Y are the centre of the box in canvas pixels, Y downward.
class TGLGameMenu : public TGLSceneObject {
public:
    using NotifyEvent = std::function<void(TGLGameMenu& sender)>;

    TGLGameMenu();
    ~TGLGameMenu() override;
    std::string className() const override { return "TGLGameMenu"; }

    TGLMaterialLibrary* materialLibrary() const { return materialLibrary_; }
    void setMaterialLibrary(TGLMaterialLibrary* library);
    TGLGameMenuScale menuScale() const { return menuScale_; }
    void setMenuScale(TGLGameMenuScale scale);
    int marginHorz() const { return marginHorz_; }
    void setMarginHorz(int v);
    int marginVert() const { return marginVert_; }
    void setMarginVert(int v);
    int spacing() const { return spacing_; }
    void setSpacing(int v);
    TGLCustomBitmapFont* font() const { return font_; }
    void setFont(TGLCustomBitmapFont* font);
    const std::string& titleMaterialName() const { return titleMaterialName_; }
    void setTitleMaterialName(const std::string& name);
    // Never negative: a negative size is stored as 0.
    int titleWidth() const { return titleWidth_; }
    void setTitleWidth(int v);
    int titleHeight() const { return titleHeight_; }
    void setTitleHeight(int v);

    TGLColor& backColor() { return backColor_; }
    TGLColor& inactiveColor() { return inactiveColor_; }
    TGLColor& activeColor() { return activeColor_; }
    TGLColor& disabledColor() { return disabledColor_; }
    const TGLColor& backColor() const { return backColor_; }
    const TGLColor& inactiveColor() const { return inactiveColor_; }
    const TGLColor& activeColor() const { return activeColor_; }
    const TGLColor& disabledColor() const { return disabledColor_; }
    void setBackColor(const Vec4& c) { backColor_.setColor(c); }
    void setInactiveColor(const Vec4& c) { inactiveColor_.setColor(c); }
    void setActiveColor(const Vec4& c) { activeColor_.setColor(c); }
    void setDisabledColor(const Vec4& c) { disabledColor_.setColor(c); }

    // The lines. Every change of the list re-applies the selection, so that it stays
    // within the new count.
    const std::vector<std::string>& items() const { return items_; }
    void setItems(const std::vector<std::string>& items);
    void addItem(const std::string& text, const void* object = nullptr);
    void setItem(int index, const std::string& text);
    void clearItems();
    // A line with an attached object is disabled: drawn in DisabledColor.
    const void* itemObject(int index) const;
    void setItemObject(int index, const void* object);
    bool isEnabled(int index) const;
    // The colour line index is drawn in: disabled, selected or ordinary.
    const TGLColor& lineColor(int index) const;

    // -1 for none. A new value is clamped to -1 .. count - 1.
    int selected() const { return selected_; }
    void setSelected(int index);
    // Called after Selected changed.
    NotifyEvent onSelectedChanged;
    // The selected line, empty when none is selected.
    std::string selectedText() const;
    // Selects the line under the pointer (viewer pixels) on the box of the last drawing,
    // edges included; outside the box, or before the menu was ever drawn, nothing.
    void mouseMenuSelect(int x, int y);

    // The box and the top of the selectable rows, as the last drawing computed them.
    int boxTop() const { return boxTop_; }
    int boxBottom() const { return boxBottom_; }
    int boxLeft() const { return boxLeft_; }
    int boxRight() const { return boxRight_; }
    int menuTop() const { return menuTop_; }

    // Where drawing puts things: computes the box and MenuTop and returns the top edge
    // of the first line. Drawing calls it; without a font it changes nothing.
    int layoutMenu();

    bool hasGeometry() const override { return false; }
    // Overlay objects are drawn in tree order, never sorted by distance like blended ones.
    bool blended() const override { return false; }
    const TGLMaterial* renderMaterial() const override { return nullptr; }
    bool drawsInOverlayPass() const override { return true; }
    void doRender(RenderContext& ctx, bool renderSelf, bool renderChildren) override;

protected:
    void notification(TGLComponent* removed) override;

private:
    void itemsChanged();
    void changed() { notifyRedraw(); }
    void drawMenu(RenderContext& ctx);

    TGLMaterialLibrary* materialLibrary_ = nullptr;
    TGLGameMenuScale menuScale_ = TGLGameMenuScale::gmsNormal;
    int marginHorz_ = 16;
    int marginVert_ = 16;
    int spacing_ = 16;
    TGLCustomBitmapFont* font_ = nullptr;
    std::string titleMaterialName_;
    int titleWidth_ = 0;
    int titleHeight_ = 0;
    TGLColor backColor_;
    TGLColor inactiveColor_;
    TGLColor activeColor_;
    TGLColor disabledColor_;
    std::vector<std::string> items_;
    std::vector<const void*> objects_;
    int selected_ = -1;
    int boxTop_ = 0, boxBottom_ = 0, boxLeft_ = 0, boxRight_ = 0, menuTop_ = 0;
    // Until the first drawing the box is a point at the corner, where no line is.
    bool laidOut_ = false;
};

} // namespace coilrun::engine
