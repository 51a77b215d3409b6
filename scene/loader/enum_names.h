#pragma once
#include "engine/objects/base_scene_object.h"
#include "engine/objects/cylinder.h"
#include "engine/objects/light_source.h"
#include "engine/objects/material.h"
#include "engine/objects/quadric_object.h"
#include "engine/objects/sphere.h"
#include "scene/loader/scene_loader.h"

#include <array>
#include <string_view>
#include <utility>

namespace coilrun::scene {

// The names a scene file writes for the values of an enumeration, in the
// enumeration's order.
template <class E> struct EnumNames;

#define COILRUN_ENUM_NAMES(Type, ...)                                                              \
    template <> struct EnumNames<Type> {                                                           \
        static constexpr std::string_view names[] = {__VA_ARGS__};                                 \
    }

COILRUN_ENUM_NAMES(engine::TGLObjectsSorting, "osInherited", "osNone", "osRenderFarthestFirst",
                   "osRenderBlendedLast", "osRenderNearestFirst");
COILRUN_ENUM_NAMES(engine::TGLBlendingMode, "bmOpaque", "bmTransparency", "bmAdditive",
                   "bmAlphaTest50", "bmAlphaTest100", "bmModulate", "bmCustom");
COILRUN_ENUM_NAMES(engine::TGLNormalSmoothing, "nsFlat", "nsSmooth", "nsNone");
COILRUN_ENUM_NAMES(engine::TGLNormalDirection, "ndInside", "ndOutside");
COILRUN_ENUM_NAMES(engine::TGLCylinderAlignment, "caCenter", "caTop", "caBottom");
COILRUN_ENUM_NAMES(engine::TGLLightStyle, "lsSpot", "lsOmni", "lsParallel");
COILRUN_ENUM_NAMES(engine::TGLCapType, "ctNone", "ctCenter", "ctFlat");

// The value the property names; a name outside the enumeration is an error on its line.
template <class E> E enumValue(const LoadContext& ctx, const Property& p) {
    const std::string& name = ctx.identifier(p);
    const auto& names = EnumNames<E>::names;
    for (std::size_t i = 0; i < std::size(names); ++i)
        if (names[i] == name) return static_cast<E>(i);
    ctx.fail(p.line, "'" + name + "' is not a value " + p.name + " can take");
}

} // namespace coilrun::scene
