#include "engine/render/gl_state_cache.h"

#include <algorithm>

namespace coilrun::engine {

void GlStateCache::forget() {
    caps_.fill(std::nullopt);
    polygonMode_.reset();
    blendFunc_.reset();
    alphaFunc_.reset();
    depthMask_.reset();
    front_.reset();
    back_.reset();
}

void GlStateCache::setBypass(bool on) {
    bypass_ = on;
    forget();
}

void GlStateCache::enable(GLenum cap, bool on) {
    const auto at = std::find(kCaps.begin(), kCaps.end(), cap);
    if (!bypass_ && at != kCaps.end()) {
        auto& known = caps_[std::size_t(at - kCaps.begin())];
        if (known == on) return;
        known = on;
    }
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}

void GlStateCache::polygonMode(GLenum mode) {
    if (!bypass_) {
        if (polygonMode_ == mode) return;
        polygonMode_ = mode;
    }
    glPolygonMode(GL_FRONT_AND_BACK, mode);
}

void GlStateCache::blendFunc(GLenum source, GLenum destination) {
    if (!bypass_) {
        const std::array<GLenum, 2> f{source, destination};
        if (blendFunc_ == f) return;
        blendFunc_ = f;
    }
    glBlendFunc(source, destination);
}

void GlStateCache::alphaFunc(GLenum function, GLfloat reference) {
    if (!bypass_) {
        const std::pair<GLenum, GLfloat> f{function, reference};
        if (alphaFunc_ == f) return;
        alphaFunc_ = f;
    }
    glAlphaFunc(function, reference);
}

void GlStateCache::depthMask(bool on) {
    if (!bypass_) {
        if (depthMask_ == on) return;
        depthMask_ = on;
    }
    glDepthMask(on ? GL_TRUE : GL_FALSE);
}

void GlStateCache::material(GLenum face, const TGLFaceProperties& p) {
    const FaceValues v{p.ambient().color(), p.diffuse().color(), p.specular().color(),
                       p.emission().color(), p.shininess()};
    if (!bypass_) {
        auto& known = face == GL_FRONT ? front_ : back_;
        if (known == v) return;
        known = v;
    }
    glMaterialfv(face, GL_AMBIENT, p.ambient().data());
    glMaterialfv(face, GL_DIFFUSE, p.diffuse().data());
    glMaterialfv(face, GL_SPECULAR, p.specular().data());
    glMaterialfv(face, GL_EMISSION, p.emission().data());
    glMateriali(face, GL_SHININESS, p.shininess());
}

} // namespace coilrun::engine
