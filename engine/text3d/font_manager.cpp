#include "engine/text3d/font_manager.h"

#include "engine/render/gl.h"

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

void GlyphSet::compile(GlObjects& objects) const {
    if (listBase(objects)) return;
    const GlObjects::Entry* lists = objects.makeLists(glOwner_, 0, int(meshes_.size()));
    if (!lists) throw TGLFontManagerError("FontManager: no more display lists available");
    const GLuint base = lists->name;
    for (std::size_t i = 0; i < meshes_.size(); ++i) {
        glNewList(base + GLuint(i), GL_COMPILE);
        const std::vector<GlyphVertex>& vs = meshes_[i].vertices;
        if (!vs.empty()) {
            glBegin(GL_TRIANGLES);
            for (const GlyphVertex& v : vs) {
                glNormal3f(v.normal.x, v.normal.y, v.normal.z);
                glVertex3f(v.position.x, v.position.y, v.position.z);
            }
            glEnd();
        }
        // As the outline service's lists do: each glyph leaves the pen after itself.
        glTranslatef(metrics_[i].cellIncX, metrics_[i].cellIncY, 0);
        glEndList();
    }
}

void GlyphSet::callLists(const std::string& text, GlObjects& objects) const {
    const unsigned base = listBase(objects);
    if (!base || text.empty()) return;
    std::string codes;
    codes.reserve(text.size());
    // A byte outside the range would index another set's lists: it is left out.
    for (unsigned char c : text)
        if (metrics(c)) codes.push_back(char(int(c) - first_));
    if (codes.empty()) return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(base);
    glCallLists(GLsizei(codes.size()), GL_UNSIGNED_BYTE, codes.data());
    glPopAttrib();
}

FontManager::~FontManager() = default;

GlyphSet& FontManager::acquire(const GlyphSetKey& key) {
    for (auto& set : sets_) {
        if (set->key_ == key) {
            ++set->users_;
            return *set;
        }
    }
    if (!outlines_) throw TGLFontManagerError("FontManager: font creation failed");
    auto set = std::make_unique<GlyphSet>();
    set->key_ = key;
    set->first_ = firstCode(key.range);
    const int count = lastCode(key.range) - set->first_ + 1;
    set->metrics_.resize(std::size_t(count));
    set->meshes_.resize(std::size_t(count));
    const platform::FontSpec& font = key.font;
    for (int i = 0; i < count; ++i) {
        platform::GlyphOutline outline;
        if (!outlines_->outline(font, static_cast<unsigned char>(set->first_ + i), key.deviation,
                                outline))
            throw TGLFontManagerError("FontManager: font creation failed");
        GlyphMetrics& m = set->metrics_[std::size_t(i)];
        m.blackBoxX = float(outline.blackBoxX);
        m.blackBoxY = float(outline.blackBoxY);
        m.originX = float(outline.originX);
        m.originY = float(outline.originY);
        m.cellIncX = float(outline.cellIncX);
        m.cellIncY = float(outline.cellIncY);
        // A glyph the tessellator cannot fill keeps its advance and shows nothing.
        if (!buildGlyphMesh(outline, key.extrusion, set->meshes_[std::size_t(i)]))
            set->meshes_[std::size_t(i)].vertices.clear();
    }
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
