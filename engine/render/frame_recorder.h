#pragma once
#include "engine/render/mesh_recorder.h"
#include "engine/render/render_context.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace coilrun::engine {

// A backend that keeps what a frame asks to draw instead of drawing it, so that what a
// frame shows is checked without a GL context. Every draw keeps the matrix it was made
// in (in the overlay pass that places it in pixels). A texture counts as uploaded when
// a version is first drawn; loseContext() stands for a context that went with its
// textures and lists.
class FrameRecorder : public RenderBackend {
public:
    enum class Kind { object, quads, lists };
    struct Draw {
        Kind kind = Kind::object;
        bool pixelSpace = false;
        Mat4 matrix = Mat4::identity();
        std::string name;  // object: its name
        Vec4 color;        // quads: theirs; object and lists: the material's diffuse
        const GlObjectOwner* texture = nullptr; // quads: the texture's owner
        std::vector<TexturedQuad> quads;
        MeshRecorder mesh;                // object: its geometry, as its shape sends it
        std::vector<unsigned char> lists; // lists: the indices called

        // The smallest rectangle holding every corner drawn, in the frame: x0, y0, x1, y1.
        std::array<float, 4> bounds() const;
    };

    std::vector<Draw> draws;
    // Pictures uploaded, in order, and the lists built (one recorder per list).
    std::vector<platform::Image> uploads;
    std::vector<MeshRecorder> listsBuilt;
    int unbalanced = 0; // matrix pops without a push

    void loseContext();

    void pushMatrix() override { stack_.push_back(current_); }
    void popMatrix() override;
    void multMatrix(const Mat4& m) override { current_ = m * current_; }
    void loadMatrix(const Mat4& m) override { current_ = m; }
    void translate(const Vec3& t) override { current_ = Mat4::translation(t) * current_; }
    void setDepthTest(bool on) override { depthTest_ = on; }
    bool depthTest() const override { return depthTest_; }
    void drawObject(TGLBaseSceneObject& object) override;
    void drawAxes(float) override {}
    void applyMaterial(const TGLMaterial& material) override { material_ = &material; }
    void releaseMaterial(const TGLMaterial&) override { material_ = nullptr; }
    GeometrySink& immediate() override { return immediate_; }
    void beginPixelSpace(int width, int height) override;
    void endPixelSpace() override;
    void drawQuads(const QuadBatch& batch) override;
    bool prepareLists(const GlObjectOwner& owner, int count,
                      const std::function<void(int, GeometrySink&)>& build) override;
    void callLists(const GlObjectOwner& owner, const std::vector<unsigned char>& indices) override;

private:
    Draw& add(Kind kind);
    Vec4 materialColor() const;

    Mat4 current_ = Mat4::identity();
    std::vector<Mat4> stack_;
    bool depthTest_ = true;
    bool pixelSpace_ = false;
    const TGLMaterial* material_ = nullptr;
    MeshRecorder immediate_;
    // What the pretended context holds: texture versions and lists, by owner.
    std::map<std::uint64_t, std::uint64_t> textures_;
    std::map<std::uint64_t, int> lists_;
};

} // namespace coilrun::engine
