#include "engine/text3d/font_manager.h"

#include "engine/render/geometry_sink.h"

#include <algorithm>

namespace coilrun::engine {

int firstCode(TGLSpaceTextCharRange range) {
    switch (range) {
    case TGLSpaceTextCharRange::stcrAlphaNum:
        return 32;
    case TGLSpaceTextCharRange::stcrNumbers:
        return 48;
    default:
        return 0;
    }
}

int lastCode(TGLSpaceTextCharRange range) {
    switch (range) {
    case TGLSpaceTextCharRange::stcrAlphaNum:
        return 127;
    case TGLSpaceTextCharRange::stcrNumbers:
        return 57;
    default:
        return 255;
    }
}

const GlyphMetrics* GlyphSet::metrics(unsigned char code) const {
    const int i = int(code) - first_;
    return i >= 0 && i < int(metrics_.size()) ? &metrics_[std::size_t(i)] : nullptr;
}

const GlyphMesh* GlyphSet::mesh(unsigned char code) const {
    const int i = int(code) - first_;
    return i >= 0 && i < int(meshes_.size()) ? &meshes_[std::size_t(i)] : nullptr;
}

unsigned GlyphSet::listBase(GlObjects& objects) const {
    const GlObjects::Entry* lists = objects.find(glOwner_);
    return lists ? lists->name : 0;
}

unsigned GlyphSet::listOf(unsigned char code, GlObjects& objects) const {
    const unsigned base = listBase(objects);
    if (!base || !metrics(code)) return 0;
    return base + unsigned(int(code) - first_);
}

void GlyphSet::compile(RenderBackend& backend) const {
    bool built = false;
    const bool ready =
        backend.prepareLists(glOwner_, int(metrics_.size()), [&](int i, GeometrySink& sink) {
            if (meshes_.empty()) build(outlines_, false);
            built = true;
            const std::vector<GlyphVertex>& vs = meshes_[std::size_t(i)].vertices;
            if (!vs.empty()) {
                sink.begin(PrimitiveType::triangles);
                for (const GlyphVertex& v : vs) {
                    sink.normal(v.normal);
                    sink.vertex(v.position);
                }
                sink.end();
            }
            // As the outline service's lists do: each glyph leaves the pen after itself.
            const GlyphMetrics& m = metrics_[std::size_t(i)];
            sink.translate({m.cellIncX, m.cellIncY, 0});
        });
    if (!ready) throw TGLFontManagerError("FontManager: no more display lists available");
    if (built) {
        meshes_.clear();
        meshes_.shrink_to_fit();
    }
}

void GlyphSet::callLists(const std::string& text, RenderBackend& backend) const {
    if (text.empty()) return;
    std::vector<unsigned char> codes;
    codes.reserve(text.size());
    // A byte outside the range would index another set's lists: it is left out.
    for (unsigned char c : text)
        if (metrics(c)) codes.push_back(static_cast<unsigned char>(int(c) - first_));
    backend.callLists(glOwner_, codes);
}

void GlyphSet::build(const platform::GlyphOutlines* outlines, bool metricsToo) const {
    if (!outlines) throw TGLFontManagerError("FontManager: font creation failed");
    const int count = lastCode(key_.range) - first_ + 1;
    std::vector<GlyphMesh> meshes(static_cast<std::size_t>(count));
    if (metricsToo) metrics_.assign(std::size_t(count), GlyphMetrics{});
    for (int i = 0; i < count; ++i) {
        platform::GlyphOutline outline;
        if (!outlines->outline(key_.font, static_cast<unsigned char>(first_ + i), key_.deviation,
                               outline))
            throw TGLFontManagerError("FontManager: font creation failed");
        if (metricsToo) {
            GlyphMetrics& m = metrics_[std::size_t(i)];
            m.blackBoxX = float(outline.blackBoxX);
            m.blackBoxY = float(outline.blackBoxY);
            m.originX = float(outline.originX);
            m.originY = float(outline.originY);
            m.cellIncX = float(outline.cellIncX);
            m.cellIncY = float(outline.cellIncY);
        }
        // A glyph the tessellator cannot fill keeps its advance and shows nothing.
        if (!buildGlyphMesh(outline, key_.extrusion, meshes[std::size_t(i)]))
            meshes[std::size_t(i)].vertices.clear();
    }
    meshes_ = std::move(meshes);
}

FontManager::~FontManager() = default;

void FontManager::setOutlines(const platform::GlyphOutlines* outlines) {
    outlines_ = outlines;
    for (auto& set : sets_)
        set->outlines_ = outlines;
}

GlyphSet& FontManager::acquire(const GlyphSetKey& key) {
    for (auto& set : sets_) {
        if (set->key_ == key) {
            ++set->users_;
            return *set;
        }
    }
    auto set = std::make_unique<GlyphSet>();
    set->key_ = key;
    set->first_ = firstCode(key.range);
    set->outlines_ = outlines_;
    set->build(outlines_, true);
    set->users_ = 1;
    sets_.push_back(std::move(set));
    return *sets_.back();
}

void FontManager::release(GlyphSet& set) {
    auto it = std::find_if(sets_.begin(), sets_.end(),
                           [&](const std::unique_ptr<GlyphSet>& s) { return s.get() == &set; });
    if (it == sets_.end()) return;
    if (--set.users_ > 0) return;
    sets_.erase(it);
}

} // namespace coilrun::engine
