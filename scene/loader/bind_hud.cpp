// How the scene file sets up the screen texts, sprites, menus, the bitmap font
// and the extruded texts.
#include "engine/hud/game_menu.h"
#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/hud/windows_bitmap_font.h"
#include "engine/objects/material_library.h"
#include "engine/text3d/font_manager.h"
#include "engine/text3d/space_text.h"
#include "scene/loader/engine_classes.h"
#include "scene/loader/enum_names.h"

#include <algorithm>

namespace coilrun::scene {

COILRUN_ENUM_NAMES(engine::TGLTextAlignment, "taLeftJustify", "taRightJustify", "taCenter");
COILRUN_ENUM_NAMES(engine::TGLTextLayout, "tlTop", "tlCenter", "tlBottom");
COILRUN_ENUM_NAMES(engine::TGLGameMenuScale, "gmsNormal", "gms1024x768");
COILRUN_ENUM_NAMES(engine::TGLTextHorzAdjust, "haLeft", "haCenter", "haRight", "haAligned",
                   "haCentrically", "haFitIn");
COILRUN_ENUM_NAMES(engine::TGLTextVertAdjust, "vaTop", "vaCenter", "vaBottom", "vaBaseLine");

using namespace engine;

namespace {

template <class T, class F> void prop(ClassRegistry& r, const char* cls, const char* name, F f) {
    r.addProperty<T>(cls, name, std::function<void(T&, const Property&, LoadContext&)>(f));
}

std::uint32_t argb(const Vec4& c) {
    auto byte = [](float v) { return std::uint32_t(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
    return byte(c.w) << 24 | byte(c.x) << 16 | byte(c.y) << 8 | byte(c.z);
}

} // namespace

void registerHudClasses(ClassRegistry& r) {
    r.addClass<TGLCustomBitmapFont>("TGLCustomBitmapFont", "", nullptr);
    r.addClass<TGLWindowsBitmapFont, TGLCustomBitmapFont>(
        "TGLWindowsBitmapFont", "TGLCustomBitmapFont", [](LoadContext& x) {
            return std::make_unique<TGLWindowsBitmapFont>(&x.platform().fontRasterizer());
        });
    using F = TGLWindowsBitmapFont;
    const char* f = "TGLWindowsBitmapFont";
    prop<F>(r, f, "FontName",
            [](F& o, const Property& p, LoadContext& x) { o.setFontName(x.string(p)); });
    prop<F>(r, f, "FontHeight",
            [](F& o, const Property& p, LoadContext& x) { o.setFontSize(x.integer(p)); });
    prop<F>(r, f, "FontBold",
            [](F& o, const Property& p, LoadContext& x) { o.setFontBold(x.boolean(p)); });
    prop<F>(r, f, "FontItalic",
            [](F& o, const Property& p, LoadContext& x) { o.setFontItalic(x.boolean(p)); });
    prop<F>(r, f, "FontColor",
            [](F& o, const Property& p, LoadContext& x) { o.setFontColor(argb(x.color(p))); });
    prop<F>(r, f, "FontCharset", [](F& o, const Property& p, LoadContext& x) {
        if (x.identifier(p) != "ANSI_CHARSET") x.fail(p.line, "only ANSI_CHARSET fonts are made");
        o.setFontCharset(0);
    });

    r.addClass<TGLHUDText, TGLImmaterialSceneObject>(
        "TGLHUDText", "TGLImmaterialSceneObject",
        [](LoadContext&) { return std::make_unique<TGLHUDText>(); });
    using H = TGLHUDText;
    const char* h = "TGLHUDText";
    prop<H>(r, h, "BitmapFont", [](H& o, const Property& p, LoadContext& x) {
        o.setBitmapFont(&x.reference<TGLCustomBitmapFont>(p));
    });
    prop<H>(r, h, "Text", [](H& o, const Property& p, LoadContext& x) { o.setText(x.string(p)); });
    prop<H>(r, h, "Rotation",
            [](H& o, const Property& p, LoadContext& x) { o.setRotation(float(x.number(p))); });
    prop<H>(r, h, "Alignment", [](H& o, const Property& p, LoadContext& x) {
        o.setAlignment(enumValue<TGLTextAlignment>(x, p));
    });
    prop<H>(r, h, "Layout", [](H& o, const Property& p, LoadContext& x) {
        o.setLayout(enumValue<TGLTextLayout>(x, p));
    });
    prop<H>(r, h, "ModulateColor",
            [](H& o, const Property& p, LoadContext& x) { o.setModulateColor(x.color(p)); });

    r.addClass<TGLHUDSprite, TGLSceneObject>("TGLHUDSprite", "TGLSceneObject", [](LoadContext&) {
        return std::make_unique<TGLHUDSprite>();
    });
    using S = TGLHUDSprite;
    prop<S>(r, "TGLHUDSprite", "Width",
            [](S& o, const Property& p, LoadContext& x) { o.setWidth(float(x.number(p))); });
    prop<S>(r, "TGLHUDSprite", "Height",
            [](S& o, const Property& p, LoadContext& x) { o.setHeight(float(x.number(p))); });
    prop<S>(r, "TGLHUDSprite", "XTiles",
            [](S& o, const Property& p, LoadContext& x) { o.setXTiles(x.integer(p)); });
    prop<S>(r, "TGLHUDSprite", "YTiles",
            [](S& o, const Property& p, LoadContext& x) { o.setYTiles(x.integer(p)); });

    r.addClass<TGLGameMenu, TGLSceneObject>("TGLGameMenu", "TGLSceneObject", [](LoadContext&) {
        return std::make_unique<TGLGameMenu>();
    });
    using M = TGLGameMenu;
    const char* m = "TGLGameMenu";
    prop<M>(r, m, "MaterialLibrary", [](M& o, const Property& p, LoadContext& x) {
        o.setMaterialLibrary(&x.reference<TGLMaterialLibrary>(p));
    });
    prop<M>(r, m, "Font", [](M& o, const Property& p, LoadContext& x) {
        o.setFont(&x.reference<TGLCustomBitmapFont>(p));
    });
    prop<M>(r, m, "Items",
            [](M& o, const Property& p, LoadContext& x) { o.setItems(x.strings(p)); });
    prop<M>(r, m, "Spacing",
            [](M& o, const Property& p, LoadContext& x) { o.setSpacing(x.integer(p)); });
    prop<M>(r, m, "MarginHorz",
            [](M& o, const Property& p, LoadContext& x) { o.setMarginHorz(x.integer(p)); });
    prop<M>(r, m, "MarginVert",
            [](M& o, const Property& p, LoadContext& x) { o.setMarginVert(x.integer(p)); });
    prop<M>(r, m, "MenuScale", [](M& o, const Property& p, LoadContext& x) {
        o.setMenuScale(enumValue<TGLGameMenuScale>(x, p));
    });
    prop<M>(r, m, "TitleMaterialName",
            [](M& o, const Property& p, LoadContext& x) { o.setTitleMaterialName(x.string(p)); });
    prop<M>(r, m, "TitleWidth",
            [](M& o, const Property& p, LoadContext& x) { o.setTitleWidth(x.integer(p)); });
    prop<M>(r, m, "TitleHeight",
            [](M& o, const Property& p, LoadContext& x) { o.setTitleHeight(x.integer(p)); });
    prop<M>(r, m, "BackColor",
            [](M& o, const Property& p, LoadContext& x) { o.setBackColor(x.color(p)); });
    prop<M>(r, m, "InactiveColor",
            [](M& o, const Property& p, LoadContext& x) { o.setInactiveColor(x.color(p)); });
    prop<M>(r, m, "ActiveColor",
            [](M& o, const Property& p, LoadContext& x) { o.setActiveColor(x.color(p)); });
    prop<M>(r, m, "DisabledColor",
            [](M& o, const Property& p, LoadContext& x) { o.setDisabledColor(x.color(p)); });
    prop<M>(r, m, "Selected",
            [](M& o, const Property& p, LoadContext& x) { o.setSelected(x.integer(p)); });

    r.addClass<TGLSpaceText, TGLSceneObject>("TGLSpaceText", "TGLSceneObject", [](LoadContext& x) {
        return std::make_unique<TGLSpaceText>(&x.service<FontManager>());
    });
    using T = TGLSpaceText;
    const char* t = "TGLSpaceText";
    prop<T>(r, t, "Text", [](T& o, const Property& p, LoadContext& x) { o.setText(x.string(p)); });
    prop<T>(r, t, "FontName",
            [](T& o, const Property& p, LoadContext& x) { o.setFontName(x.string(p)); });
    prop<T>(r, t, "FontBold",
            [](T& o, const Property& p, LoadContext& x) { o.setFontBold(x.boolean(p)); });
    prop<T>(r, t, "FontItalic",
            [](T& o, const Property& p, LoadContext& x) { o.setFontItalic(x.boolean(p)); });
    prop<T>(r, t, "Extrusion",
            [](T& o, const Property& p, LoadContext& x) { o.setExtrusion(float(x.number(p))); });
    prop<T>(r, t, "AllowedDeviation", [](T& o, const Property& p, LoadContext& x) {
        o.setAllowedDeviation(float(x.number(p)));
    });
    prop<T>(r, t, "AspectRatio",
            [](T& o, const Property& p, LoadContext& x) { o.setAspectRatio(float(x.number(p))); });
    prop<T>(r, t, "Oblique",
            [](T& o, const Property& p, LoadContext& x) { o.setOblique(float(x.number(p))); });
    prop<T>(r, t, "TextHeight",
            [](T& o, const Property& p, LoadContext& x) { o.setTextHeight(float(x.number(p))); });
    prop<T>(r, t, "AdjustHorz", [](T& o, const Property& p, LoadContext& x) {
        o.setAdjustHorz(enumValue<TGLTextHorzAdjust>(x, p));
    });
    prop<T>(r, t, "AdjustVert", [](T& o, const Property& p, LoadContext& x) {
        o.setAdjustVert(enumValue<TGLTextVertAdjust>(x, p));
    });
}

} // namespace coilrun::scene
