#include "engine/render/frame_recorder.h"

#include "engine/objects/base_scene_object.h"
#include "engine/objects/material.h"
#include "engine/render/gl_objects.h"

#include <algorithm>

namespace coilrun::engine {

std::array<float, 4> FrameRecorder::Draw::bounds() const {
    std::array<float, 4> b{1e30f, 1e30f, -1e30f, -1e30f};
    auto take = [&](const Vec3& local) {
        const Vec3 p = matrix.transformPoint(local);
        b = {std::min(b[0], p.x), std::min(b[1], p.y), std::max(b[2], p.x), std::max(b[3], p.y)};
    };
    for (const TexturedQuad& q : quads) {
        take({q.x0, q.y0, 0});
        take({q.x1, q.y1, 0});
        take({q.x0, q.y1, 0});
        take({q.x1, q.y0, 0});
    }
    for (const MeshRecorder::Primitive& p : mesh.primitives)
        for (const MeshRecorder::Vertex& v : p.vertices)
            take(v.position);
    return b;
}

void FrameRecorder::loseContext() {
    textures_.clear();
    lists_.clear();
}

void FrameRecorder::popMatrix() {
    if (stack_.empty()) {
        ++unbalanced;
        return;
    }
    current_ = stack_.back();
    stack_.pop_back();
}

FrameRecorder::Draw& FrameRecorder::add(Kind kind) {
    Draw& d = draws.emplace_back();
    d.kind = kind;
    d.pixelSpace = pixelSpace_;
    d.matrix = current_;
    return d;
}

Vec4 FrameRecorder::materialColor() const {
    return material_ ? material_->effective().frontProperties().diffuse().color() : Vec4{};
}

void FrameRecorder::drawObject(TGLBaseSceneObject& object) {
    Draw& d = add(Kind::object);
    d.name = object.name();
    if (const TGLMaterial* m = object.renderMaterial())
        d.color = m->effective().frontProperties().diffuse().color();
    object.buildList(d.mesh);
}

void FrameRecorder::beginPixelSpace(int, int) {
    pushMatrix();
    current_ = Mat4::identity();
    pixelSpace_ = true;
    depthTest_ = false;
}

void FrameRecorder::endPixelSpace() {
    popMatrix();
    pixelSpace_ = false;
    depthTest_ = true;
}

void FrameRecorder::drawQuads(const QuadBatch& batch) {
    if (batch.quads.empty()) return;
    if (const QuadTexture* t = batch.texture) {
        auto known = textures_.find(t->owner->id());
        if (known == textures_.end() || known->second != t->version) {
            const platform::Image* img = t->image ? t->image() : nullptr;
            if (!img || img->empty()) return;
            uploads.push_back(*img);
            textures_[t->owner->id()] = t->version;
        }
    }
    Draw& d = add(Kind::quads);
    d.color = batch.color;
    d.texture = batch.texture ? batch.texture->owner : nullptr;
    d.quads = batch.quads;
}

bool FrameRecorder::prepareLists(const GlObjectOwner& owner, int count,
                                 const std::function<void(int, GeometrySink&)>& build) {
    if (lists_.count(owner.id())) return true;
    for (int i = 0; i < count; ++i)
        build(i, listsBuilt.emplace_back());
    lists_[owner.id()] = count;
    return true;
}

void FrameRecorder::callLists(const GlObjectOwner& owner, const std::vector<unsigned char>& indices) {
    if (!lists_.count(owner.id()) || indices.empty()) return;
    Draw& d = add(Kind::lists);
    d.color = materialColor();
    d.lists = indices;
}

} // namespace coilrun::engine
