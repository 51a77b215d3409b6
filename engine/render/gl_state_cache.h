#pragma once
#include "engine/objects/material.h"
#include "engine/render/gl.h"

#include <array>
#include <optional>

namespace coilrun::engine {

// The GL state the renderer changes object by object (capabilities, blending, alpha
// test, depth writes, polygon mode, material colours), as it last set it, so that
// setting a value already in place sends nothing. It knows only what went through it:
// wherever other code may have changed that state (a pushed and popped attribute
// set, a pass drawn by others) the renderer calls forget(), and a bypassed cache
// sends every call.
class GlStateCache {
public:
    void forget();
    // While bypassed every call is sent and nothing is remembered.
    void setBypass(bool on);

    void enable(GLenum cap, bool on);
    void polygonMode(GLenum mode);
    void blendFunc(GLenum source, GLenum destination);
    void alphaFunc(GLenum function, GLfloat reference);
    void depthMask(bool on);
    // Ambient, diffuse, specular, emission and shininess of one face (GL_FRONT, GL_BACK).
    void material(GLenum face, const TGLFaceProperties& p);

private:
    struct FaceValues {
        Vec4 ambient, diffuse, specular, emission;
        int shininess = 0;
        bool operator==(const FaceValues&) const = default;
    };
    static constexpr std::array<GLenum, 8> kCaps{GL_COLOR_MATERIAL, GL_LIGHTING,   GL_CULL_FACE,
                                                 GL_BLEND,          GL_ALPHA_TEST, GL_FOG,
                                                 GL_TEXTURE_2D,     GL_DEPTH_TEST};
    std::array<std::optional<bool>, kCaps.size()> caps_{};
    std::optional<GLenum> polygonMode_;
    std::optional<std::array<GLenum, 2>> blendFunc_;
    std::optional<std::pair<GLenum, GLfloat>> alphaFunc_;
    std::optional<bool> depthMask_;
    std::optional<FaceValues> front_, back_;
    bool bypass_ = false;
};

} // namespace coilrun::engine
