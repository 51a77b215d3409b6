#include "engine/render/render_context.h"

#include "engine/objects/base_scene_object.h"
#include "engine/objects/material_library.h"

#include <algorithm>

namespace coilrun::engine {

void RenderContext::renderScene(TGLBaseSceneObject& root) {
    overlayQueue_.clear();
    overlayPass_ = false;
    if (root.count() > 0) root.renderChildren(0, int(root.count()) - 1, *this);
    if (overlayQueue_.empty()) return;
    overlayPass_ = true;
    backend_.beginPixelSpace(viewportWidth, viewportHeight);
    // Index loop: an overlay object's children may queue more overlay objects.
    for (std::size_t i = 0; i < overlayQueue_.size(); ++i)
        renderObject(*overlayQueue_[i]);
    backend_.endPixelSpace();
    overlayPass_ = false;
    overlayQueue_.clear();
}

void RenderContext::renderObject(TGLBaseSceneObject& object) {
    const bool overlay = object.drawsInOverlayPass();
    if (overlay && !overlayPass_) {
        overlayQueue_.push_back(&object);
        return;
    }
    const bool outerCollapsed = collapsed_;
    if (!overlay) {
        // Flattened along one axis a shape still covers its projection; along two it
        // lies on a line.
        const auto& s = object.scale();
        collapsed_ = collapsed_ || int(s.x() == 0) + int(s.y() == 0) + int(s.z() == 0) >= 2;
    }
    if (collapsed_ && !overlay) {
        // Overlay objects below still show: they are placed in pixels, not by their parents.
        if (object.count() > 0) object.renderChildren(0, int(object.count()) - 1, *this);
        collapsed_ = outerCollapsed;
        return;
    }
    if (observer) observer->objectBegins(object, overlayPass_);
    backend_.pushMatrix();
    if (overlay)
        backend_.loadMatrix(Mat4::identity());
    else
        backend_.multMatrix(object.localMatrix());
    const bool depthOff = object.ignoreDepthBuffer() && backend_.depthTest();
    if (depthOff) backend_.setDepthTest(false);
    if (object.showAxes()) backend_.drawAxes(1.0f);
    object.doRender(*this, true, true);
    if (depthOff) backend_.setDepthTest(true);
    backend_.popMatrix();
    if (observer) observer->objectEnds(object);
    collapsed_ = outerCollapsed;
}

float RenderContext::distanceKey(const TGLBaseSceneObject& object) const {
    return squaredLength(object.absolutePosition() - cameraPosition) + 1.0f;
}

void RenderContext::drawSorted(std::vector<Keyed>& list) {
    // Largest key first: farthest first, or (negated keys) nearest first.
    std::stable_sort(list.begin(), list.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key > b.key; });
    for (const Keyed& k : list)
        renderObject(*k.object);
}

void RenderContext::renderChildren(TGLBaseSceneObject& parent, int first, int last) {
    const int n = int(parent.count());
    first = std::max(first, 0);
    last = std::min(last, n - 1);
    if (first > last) return;
    switch (parent.effectiveObjectsSorting()) {
    case TGLObjectsSorting::osRenderBlendedLast: {
        std::vector<Keyed> blended;
        for (int i = first; i <= last; ++i) {
            TGLBaseSceneObject& c = parent.child(std::size_t(i));
            if (!c.visible()) continue;
            if (c.blended())
                blended.push_back({distanceKey(c), &c});
            else
                renderObject(c);
        }
        drawSorted(blended);
        break;
    }
    case TGLObjectsSorting::osRenderFarthestFirst:
    case TGLObjectsSorting::osRenderNearestFirst: {
        const bool nearest =
            parent.effectiveObjectsSorting() == TGLObjectsSorting::osRenderNearestFirst;
        std::vector<Keyed> all;
        for (int i = first; i <= last; ++i) {
            TGLBaseSceneObject& c = parent.child(std::size_t(i));
            if (c.visible()) all.push_back({nearest ? -distanceKey(c) : distanceKey(c), &c});
        }
        drawSorted(all);
        break;
    }
    default:
        for (int i = first; i <= last; ++i) {
            TGLBaseSceneObject& c = parent.child(std::size_t(i));
            if (c.visible()) renderObject(c);
        }
        break;
    }
}

bool coversNoPixel(const TGLMaterial& material) {
    const TGLMaterial& m = material.effective();
    if (m.blendingMode() != TGLBlendingMode::bmTransparency &&
        m.blendingMode() != TGLBlendingMode::bmAdditive)
        return false;
    // Their alpha test passes only alpha above 0, unless a texture brings its own.
    if (m.frontProperties().diffuse().alpha() > 0) return false;
    if (const TGLFaceProperties* back = m.backPropertiesIfAny();
        back && back->diffuse().alpha() > 0)
        return false;
    const TGLTexture* tex = m.textureIfAny();
    return !(tex && tex->enabled() && tex->hasImage() &&
             tex->textureMode() != TGLTextureMode::tmModulate);
}

void RenderContext::drawSelf(TGLBaseSceneObject& object) {
    // Faded out completely (a HUD sprite at alpha 0): nothing is sent.
    if (const TGLMaterial* m = object.renderMaterial(); m && coversNoPixel(*m)) return;
    backend_.drawObject(object);
}

} // namespace coilrun::engine
