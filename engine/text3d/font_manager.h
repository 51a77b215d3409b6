#pragma once
#include "engine/platform/fonts.h"
#include "engine/render/gl_objects.h"
#include "engine/render/render_context.h"
#include "engine/text3d/glyph_mesh.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace coilrun::engine {

// Which codes a glyph set holds: 32..127, 48..57 or 0..255.
enum class TGLSpaceTextCharRange { stcrAlphaNum, stcrNumbers, stcrAll };

int firstCode(TGLSpaceTextCharRange range);
int lastCode(TGLSpaceTextCharRange range);

// Font-manager failures end the drawing of a space text.
class TGLFontManagerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Metrics of one glyph in em units, Y up, as the outline service reports them.
struct GlyphMetrics {
    float blackBoxX = 0, blackBoxY = 0;
    float originX = 0, originY = 0;
    float cellIncX = 0, cellIncY = 0;
};

// What a glyph set is built for. The font's size plays no part: outlines are in ems.
struct GlyphSetKey {
    // The face the outlines are taken from; its size and colour are always 0, since
    // neither reaches the glyphs.
    platform::FontSpec font{.pixelSize = 0, .color = 0};
    float extrusion = 0;
    float deviation = 0;
    TGLSpaceTextCharRange range = TGLSpaceTextCharRange::stcrAll;
    bool operator==(const GlyphSetKey&) const = default;
};

// The solid glyphs of one key: a mesh and metrics per code, compiled into one display
// list per glyph on first use in a GL context and kept in that context's objects. Once
// compiled the meshes go; a context that needs the lists again (a new one, or one that
// was lost) has them made again from the outlines.
class GlyphSet {
public:
    const GlyphSetKey& key() const { return key_; }
    int firstCode() const { return first_; }
    int glyphCount() const { return int(metrics_.size()); }
    // Null for a code outside the set's range; mesh is null too while the meshes are
    // only in display lists.
    const GlyphMetrics* metrics(unsigned char code) const;
    const GlyphMesh* mesh(unsigned char code) const;
    int users() const { return users_; }

    // Compiles the display lists into the context backend draws into, unless they are
    // there already. Throws TGLFontManagerError("FontManager: no more display lists
    // available").
    void compile(RenderBackend& backend) const;
    bool compiled(GlObjects& objects) const { return listBase(objects) != 0; }
    // The list of code's glyph in objects' context (0 before compiling or outside the range).
    unsigned listOf(unsigned char code, GlObjects& objects) const;
    // Calls the glyph list of every byte of text in the range, each list ending with a
    // move of the pen by the glyph's cell increment.
    void callLists(const std::string& text, RenderBackend& backend) const;

private:
    friend class FontManager;
    unsigned listBase(GlObjects& objects) const;
    // Fills the metrics and meshes from the outlines; throws
    // TGLFontManagerError("FontManager: font creation failed") when they have no such font.
    void build(const platform::GlyphOutlines* outlines, bool metricsToo) const;

    GlyphSetKey key_;
    int first_ = 0;
    const platform::GlyphOutlines* outlines_ = nullptr;
    mutable std::vector<GlyphMetrics> metrics_;
    // Empty once compiled (see above).
    mutable std::vector<GlyphMesh> meshes_;
    GlObjectOwner glOwner_;
    int users_ = 0;
};

// Holds glyph sets shared by every space text of the same key, counting their users:
// a set is built by its first user and destroyed with its last.
class FontManager {
public:
    explicit FontManager(const platform::GlyphOutlines* outlines = nullptr) : outlines_(outlines) {}
    FontManager(const FontManager&) = delete;
    FontManager& operator=(const FontManager&) = delete;
    ~FontManager();

    // Also where the sets held now make their meshes again.
    void setOutlines(const platform::GlyphOutlines* outlines);

    // The set of key, built from the outline service if no user holds one; counts the
    // caller as a user. Throws TGLFontManagerError("FontManager: font creation failed")
    // when the service has no such font.
    GlyphSet& acquire(const GlyphSetKey& key);
    // Drops one user; the last one destroys the set (its display lists are freed when
    // each context they are in next draws a frame).
    void release(GlyphSet& set);

    std::size_t setCount() const { return sets_.size(); }

private:
    const platform::GlyphOutlines* outlines_;
    std::vector<std::unique_ptr<GlyphSet>> sets_;
};

} // namespace coilrun::engine
