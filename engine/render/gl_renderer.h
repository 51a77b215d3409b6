#pragma once
#include "engine/objects/camera.h"
#include "engine/platform/gl_surface.h"
#include "engine/render/gl_geometry_sink.h"
#include "engine/render/gl_objects.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/render_context.h"

#include <cstdint>

namespace coilrun::engine {

class TGLScene;
class TGLTexture;

// Buffer-wide settings of a frame.
struct FrameSettings {
    Vec4 backgroundColor{0, 0, 0, 1};
    // What fcBufferDefault means: back faces culled.
    bool faceCulling = true;
    bool lighting = true;
    // Fog is drawn only when the buffer enables it (and the material does not ignore it).
    bool fogEnable = false;
    Vec4 fogColor{0, 0, 0, 1};
    float fogStart = 10, fogEnd = 1000;
    float dpi = 96;
};

// Draws a scene with fixed-function OpenGL into the current context: camera,
// lights, the tree by the drawing rules, then the overlay pass. One renderer serves
// one context, and its table holds every GL object made there: the compiled geometry
// and uploaded textures of the scene, and what fonts and glyph sets made while it drew.
// Each is rebuilt when its version moves on or when the table lost it. Everything GL
// must be called with the context current; releaseGl frees the GL objects before the
// context goes, forgetGl drops them after it went.
class GlRenderer : public RenderBackend {
public:
    explicit GlRenderer(const GlObjects::Calls& calls = GlObjects::glCalls()) : objects_(calls) {}
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;
    // The GL objects are not freed here (no context may be current): call releaseGl.
    ~GlRenderer() override = default;

    // camera may be null: a default camera at the origin looking down -Z. The viewport
    // covers the device pixels; the projection and the overlay pass are made for the
    // surface pixels, so that the picture and everything placed on it look the same at
    // any device pixel ratio.
    void renderFrame(TGLScene& scene, const TGLCamera* camera, const platform::FrameSize& size,
                     const FrameSettings& settings);
    // Deletes every GL object of the context; the next frame rebuilds them.
    void releaseGl();
    // The context was lost without release: forget GL names without deleting.
    void forgetGl();

    // Told of every frame and object drawn from now on (null: none; not owned).
    void setObserver(RenderObserver* observer) { observer_ = observer; }

    // For tests: display lists compiled since creation, and those (list ranges) and
    // textures alive now, the renderer's own and those of fonts and glyph sets.
    std::uint64_t listsCompiled() const { return listsCompiled_; }
    std::size_t listCount() const { return objects_.count(GlObjects::Kind::lists); }
    std::size_t textureCount() const { return objects_.count(GlObjects::Kind::texture); }
    int lightsInUse() const { return lightsInUse_; }

    // RenderBackend
    void pushMatrix() override;
    void popMatrix() override;
    void multMatrix(const Mat4& m) override;
    void loadMatrix(const Mat4& m) override;
    void translate(const Vec3& t) override;
    void setDepthTest(bool on) override;
    bool depthTest() const override { return depthTest_; }
    void drawObject(TGLBaseSceneObject& object) override;
    void drawAxes(float length) override;
    void applyMaterial(const TGLMaterial& material) override;
    void releaseMaterial(const TGLMaterial& material) override;
    GeometrySink& immediate() override { return sink_; }
    GlObjects* glObjects() override { return &objects_; }
    void beginPixelSpace(int width, int height) override;
    void endPixelSpace() override;
    void drawQuads(const QuadBatch& batch) override;
    bool prepareLists(const GlObjectOwner& owner, int count,
                      const std::function<void(int, GeometrySink&)>& build) override;
    void callLists(const GlObjectOwner& owner, const std::vector<unsigned char>& indices) override;

private:
    // Binds the texture of quads, uploading it when this context has no copy of its version.
    bool bindQuadTexture(const QuadTexture& texture);
    void setupLights(TGLScene& scene);
    bool bindTexture(const TGLTexture& texture);
    void checkCapabilities();

    GlGeometrySink sink_;
    TGLCamera defaultCamera_;
    FrameSettings settings_;
    RenderObserver* observer_ = nullptr;
    GlStateCache state_;
    GlObjects objects_;
    std::uint64_t listsCompiled_ = 0;
    int lightsInUse_ = 0;
    int maxLights_ = 0;
    bool capabilitiesKnown_ = false;
    bool npotTextures_ = false;
    bool depthTest_ = true;
    // State left by the material being applied, undone by releaseMaterial.
    bool textureOn_ = false;
    bool textureMatrixSet_ = false;
    bool materialDepthOff_ = false;
    // In the overlay pass: materials applied there leave lighting and culling off.
    bool pixelSpace_ = false;
};

} // namespace coilrun::engine
