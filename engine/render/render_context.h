#pragma once
#include "engine/objects/vector_math.h"
#include "engine/platform/image.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace coilrun::engine {

class GeometrySink;
class GlObjectOwner;
class GlObjects;
class TGLBaseSceneObject;
class TGLCamera;
class TGLMaterial;

// How a quad texture is sampled when it is drawn smaller than its pixels.
enum class TextureMinFilter {
    nearest,
    linear,
    nearestMipmapNearest,
    linearMipmapNearest,
    nearestMipmapLinear,
    linearMipmapLinear
};

// A picture that quads are textured with, kept by the backend for its owner in the
// context it draws into (each context has its own copy) and uploaded when that context
// has no copy of this version: on first use, after a change, after the context was lost.
// image is asked for only then; its rows run top-down, t = 0 is the top row, and its
// edges are clamped.
struct QuadTexture {
    const GlObjectOwner* owner = nullptr;
    std::uint64_t version = 0;
    TextureMinFilter minFilter = TextureMinFilter::linear;
    bool magNearest = false;
    std::function<const platform::Image*()> image;
};

// A rectangle drawn as the corners (x0, y0), (x0, y1), (x1, y1), (x1, y0) in the current
// matrix, with the texture coordinates of those corners.
struct TexturedQuad {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float s0 = 0, t0 = 0, s1 = 0, t1 = 0;
};

// Quads in one colour, unlit and blended over the picture by their alpha; with a texture
// the colour modulates it, without one they are plain.
struct QuadBatch {
    Vec4 color{1, 1, 1, 1};
    const QuadTexture* texture = nullptr;
    std::vector<TexturedQuad> quads;
};

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
    // The GL objects of the context drawn into, all made through this backend (what the
    // scene, fonts and glyph sets keep there); null for a backend without GL.
    virtual GlObjects* glObjects() { return nullptr; }
    // Pixel space for the overlay pass: orthographic projection with the origin at
    // the top left and y down, depth test, lighting and culling off. endPixelSpace
    // restores the 3D projection and state.
    virtual void beginPixelSpace(int width, int height) = 0;
    virtual void endPixelSpace() = 0;
    // Texts and boxes of the overlay; the state they need is set and restored here.
    // A backend that only follows the tree (a test of the drawing order) draws none.
    virtual void drawQuads(const QuadBatch&) {}
    // count display lists kept for owner in the context drawn into, each made by
    // build(index, sink) when that context has none of owner's. False when none can be
    // had, as from a backend without lists.
    virtual bool prepareLists(const GlObjectOwner&, int,
                              const std::function<void(int, GeometrySink&)>&) {
        return false;
    }
    // Calls owner's prepared lists by index, one after the other, with normals made unit
    // length (the object's scale reaches them).
    virtual void callLists(const GlObjectOwner&, const std::vector<unsigned char>&) {}
};

// Materials whose blending lets no fragment of their alpha-0 colour through: what is
// drawn in them changes no pixel, colour or depth.
bool coversNoPixel(const TGLMaterial& material);

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
