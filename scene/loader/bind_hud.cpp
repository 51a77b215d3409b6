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
#include "scene/loader/property_setters.h"

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
    stringProp<F>(r, f, "FontName", &F::setFontName);
    intProp<F>(r, f, "FontHeight", &F::setFontSize);
    boolProp<F>(r, f, "FontBold", &F::setFontBold);
    boolProp<F>(r, f, "FontItalic", &F::setFontItalic);
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
    stringProp<H>(r, h, "Text", &H::setText);
    floatProp<H>(r, h, "Rotation", &H::setRotation);
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
    floatProp<S>(r, "TGLHUDSprite", "Width", &S::setWidth);
    floatProp<S>(r, "TGLHUDSprite", "Height", &S::setHeight);
    intProp<S>(r, "TGLHUDSprite", "XTiles", &S::setXTiles);
    intProp<S>(r, "TGLHUDSprite", "YTiles", &S::setYTiles);

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
    intProp<M>(r, m, "Spacing", &M::setSpacing);
    intProp<M>(r, m, "MarginHorz", &M::setMarginHorz);
    intProp<M>(r, m, "MarginVert", &M::setMarginVert);
    prop<M>(r, m, "MenuScale", [](M& o, const Property& p, LoadContext& x) {
        o.setMenuScale(enumValue<TGLGameMenuScale>(x, p));
    });
    stringProp<M>(r, m, "TitleMaterialName", &M::setTitleMaterialName);
    intProp<M>(r, m, "TitleWidth", &M::setTitleWidth);
    intProp<M>(r, m, "TitleHeight", &M::setTitleHeight);
    prop<M>(r, m, "BackColor",
            [](M& o, const Property& p, LoadContext& x) { o.setBackColor(x.color(p)); });
    prop<M>(r, m, "InactiveColor",
            [](M& o, const Property& p, LoadContext& x) { o.setInactiveColor(x.color(p)); });
    prop<M>(r, m, "ActiveColor",
            [](M& o, const Property& p, LoadContext& x) { o.setActiveColor(x.color(p)); });
    prop<M>(r, m, "DisabledColor",
            [](M& o, const Property& p, LoadContext& x) { o.setDisabledColor(x.color(p)); });
    intProp<M>(r, m, "Selected", &M::setSelected);

    r.addClass<TGLSpaceText, TGLSceneObject>("TGLSpaceText", "TGLSceneObject", [](LoadContext& x) {
        return std::make_unique<TGLSpaceText>(&x.service<FontManager>());
    });
    using T = TGLSpaceText;
    const char* t = "TGLSpaceText";
    stringProp<T>(r, t, "Text", &T::setText);
    stringProp<T>(r, t, "FontName", &T::setFontName);
    boolProp<T>(r, t, "FontBold", &T::setFontBold);
    boolProp<T>(r, t, "FontItalic", &T::setFontItalic);
    floatProp<T>(r, t, "Extrusion", &T::setExtrusion);
    floatProp<T>(r, t, "AllowedDeviation", &T::setAllowedDeviation);
    floatProp<T>(r, t, "AspectRatio", &T::setAspectRatio);
    floatProp<T>(r, t, "Oblique", &T::setOblique);
    floatProp<T>(r, t, "TextHeight", &T::setTextHeight);
    prop<T>(r, t, "AdjustHorz", [](T& o, const Property& p, LoadContext& x) {
        o.setAdjustHorz(enumValue<TGLTextHorzAdjust>(x, p));
    });
    prop<T>(r, t, "AdjustVert", [](T& o, const Property& p, LoadContext& x) {
        o.setAdjustVert(enumValue<TGLTextVertAdjust>(x, p));
    });
}

} // namespace coilrun::scene
