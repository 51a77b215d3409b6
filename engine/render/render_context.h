#pragma once
#include "engine/objects/vector_math.h"

#include <vector>

namespace coilrun::engine {

class GeometrySink;
class GlObjects;
class TGLBaseSceneObject;
class TGLCamera;
class TGLMaterial;

// What drawing the tree needs from the graphics library. The GL renderer is
// one; tests use a recorder to check the drawing order without a GL context.
class RenderBackend {
public:
    virtual ~RenderBackend() = default;
    virtual void pushMatrix() = 0;
    virtual void popMatrix() = 0;
    virtual void multMatrix(const Mat4& m) = 0;
    virtual void loadMatrix(const Mat4& m) = 0;
    virtual void translate(const Vec3& t) = 0;
    virtual void setDepthTest(bool on) = 0;
    virtual bool depthTest() const = 0;
    // Draws an object's own geometry: its material, then its shape (from the
    // display list when it caches geometry), then the material released.
    virtual void drawObject(TGLBaseSceneObject& object) = 0;
    // The object's local axes as red (X), green (Y) and blue (Z) lines.
    virtual void drawAxes(float length) = 0;
    virtual void applyMaterial(const TGLMaterial& material) = 0;
    virtual void releaseMaterial(const TGLMaterial& material) = 0;
    // Geometry drawn at once (not compiled), for objects that draw themselves.
    virtual GeometrySink& immediate() = 0;
    // The GL objects of the context drawn into, where objects that draw themselves keep
    // theirs (glyph textures, glyph lists); null for a backend without GL.
    virtual GlObjects* glObjects() { return nullptr; }
    // Pixel space for the overlay pass: orthographic projection with the origin at
    // the top left and y down, depth test, lighting and culling off. endPixelSpace
    // restores the 3D projection and state.
    virtual void beginPixelSpace(int width, int height) = 0;
    virtual void endPixelSpace() = 0;
};

// Told where a frame and each object's drawing begin and end, for benchmarks that
// measure what each object costs. Objects nest: a parent's drawing goes on after
// its children's end.
class RenderObserver {
public:
    virtual ~RenderObserver() = default;
    virtual void frameBegins() {}
    virtual void frameEnds() {}
    virtual void objectBegins(const TGLBaseSceneObject& object, bool overlayPass) = 0;
    virtual void objectEnds(const TGLBaseSceneObject& object) = 0;
};

// The state of one frame being drawn, handed to every object's doRender.
class RenderContext {
public:
    explicit RenderContext(RenderBackend& backend) : backend_(backend) {}

    RenderBackend& backend() { return backend_; }
    GeometrySink& immediate() { return backend_.immediate(); }

    // Viewport in surface pixels (the overlay's unit, whatever the framebuffer has) and
    // the pixels per inch the picture is made for.
    int viewportWidth = 0;
    int viewportHeight = 0;
    float dpi = 96;
    // The camera the frame is seen from (null: the default view), its position
    // in scene coordinates and the view matrix loaded before the tree.
    const TGLCamera* camera = nullptr;
    Vec3 cameraPosition;
    Mat4 viewMatrix = Mat4::identity();
    // Told of every object drawn (may be null).
    RenderObserver* observer = nullptr;
    // True while the overlay pass draws (pixel space).
    bool overlayPass() const { return overlayPass_; }

    // Draws a whole scene: the root's children by the drawing rules, then the
    // overlay objects met on the way, in the order they were met.
    void renderScene(TGLBaseSceneObject& root);
    // Draws one object: its local matrix, its own geometry and its children.
    void renderObject(TGLBaseSceneObject& object);
    // Draws parent's children first..last by the parent's effective sorting,
    // skipping hidden children with their subtrees.
    void renderChildren(TGLBaseSceneObject& parent, int first, int last);
    void drawSelf(TGLBaseSceneObject& object);
    void applyMaterial(const TGLMaterial& m) { backend_.applyMaterial(m); }
    void releaseMaterial(const TGLMaterial& m) { backend_.releaseMaterial(m); }

    // Sorting key: squared distance to the camera + 1.
    float distanceKey(const TGLBaseSceneObject& object) const;

private:
    struct Keyed {
        float key;
        TGLBaseSceneObject* object;
    };
    void drawSorted(std::vector<Keyed>& list);

    RenderBackend& backend_;
    bool overlayPass_ = false;
    // Inside an object scaled to nothing along two axes or all three: whatever it and
    // its 3D children draw covers no pixel, so it is not sent.
    bool collapsed_ = false;
    std::vector<TGLBaseSceneObject*> overlayQueue_;
};

} // namespace coilrun::engine
