#include "engine/text3d/space_text.h"

#include "engine/render/render_context.h"

#include <algorithm>
#include <cmath>

namespace coilrun::engine {

TGLSpaceText::TGLSpaceText(FontManager* fontManager) : manager_(fontManager) {}

TGLSpaceText::~TGLSpaceText() {
    releaseSet();
}

void TGLSpaceText::releaseSet() {
    if (set_ && manager_) manager_->release(*set_);
    set_ = nullptr;
}

void TGLSpaceText::keyChanged() {
    // The old set goes now; the new one is acquired before the next draw.
    releaseSet();
    structureChanged();
}

void TGLSpaceText::setFontManager(FontManager* manager) {
    if (manager == manager_) return;
    releaseSet();
    manager_ = manager;
    structureChanged();
}

void TGLSpaceText::setLines(const std::vector<std::string>& lines) {
    if (lines == lines_) return;
    lines_ = lines;
    notifyRedraw();
}

std::string TGLSpaceText::text() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i) out += '\n';
        out += lines_[i];
    }
    return out;
}

void TGLSpaceText::setText(const std::string& text) {
    std::vector<std::string> lines;
    if (!text.empty()) {
        std::string line;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\r' || c == '\n') {
                lines.push_back(line);
                line.clear();
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            } else {
                line += c;
            }
        }
        lines.push_back(line);
    }
    setLines(lines);
}

void TGLSpaceText::setFont(const platform::FontSpec& font) {
    // The size does not reach the glyphs, so a change of size alone keeps the set.
    platform::FontSpec a = font, b = font_;
    a.pixelSize = b.pixelSize = 0;
    const bool sameKey = a == b;
    font_ = font;
    if (!sameKey) keyChanged();
}

void TGLSpaceText::setFontName(const std::string& name) {
    platform::FontSpec f = font_;
    f.name = name;
    setFont(f);
}

void TGLSpaceText::setFontBold(bool bold) {
    platform::FontSpec f = font_;
    f.bold = bold;
    setFont(f);
}

void TGLSpaceText::setFontItalic(bool italic) {
    platform::FontSpec f = font_;
    f.italic = italic;
    setFont(f);
}

void TGLSpaceText::setExtrusion(float depth) {
    if (depth == extrusion_) return;
    extrusion_ = depth;
    keyChanged();
}

void TGLSpaceText::setAllowedDeviation(float deviation) {
    if (deviation == deviation_) return;
    deviation_ = deviation;
    keyChanged();
}

void TGLSpaceText::setCharacterRange(TGLSpaceTextCharRange range) {
    if (range == range_) return;
    range_ = range;
    keyChanged();
}

void TGLSpaceText::setAdjust(const TGLTextAdjust& adjust) {
    if (adjust == adjust_) return;
    adjust_ = adjust;
    notifyRedraw();
}

void TGLSpaceText::setAspectRatio(float ratio) {
    if (ratio == aspectRatio_) return;
    aspectRatio_ = ratio;
    notifyRedraw();
}

void TGLSpaceText::setOblique(float degrees) {
    if (degrees == oblique_) return;
    oblique_ = degrees;
    notifyRedraw();
}

void TGLSpaceText::setTextHeight(float height) {
    if (height == textHeight_) return;
    textHeight_ = height;
    notifyRedraw();
}

GlyphSetKey TGLSpaceText::glyphSetKey() const {
    GlyphSetKey key;
    key.font = font_;
    key.font.pixelSize = 0;
    key.font.color = 0;
    key.extrusion = extrusion_;
    key.deviation = deviation_;
    key.range = range_;
    return key;
}

const GlyphSet* TGLSpaceText::ensureGlyphSet() {
    if (!set_ && manager_) set_ = &manager_->acquire(glyphSetKey());
    return set_;
}

TextLineExtent TGLSpaceText::measureLine(const std::string& line) {
    TextLineExtent e;
    const GlyphSet* set = ensureGlyphSet();
    if (!set) return e;
    for (unsigned char c : line) {
        const GlyphMetrics* m = set->metrics(c);
        if (!m) continue;
        e.width += m->cellIncX;
        e.height = std::max(e.height, m->originY);
        e.descent = std::min(e.descent, m->originY - m->blackBoxY);
    }
    return e;
}

Mat4 TGLSpaceText::textMatrix() const {
    Mat4 m = Mat4::identity();
    if (oblique_ != 0) m = Mat4::rotation({0, 0, 1}, oblique_);
    if (aspectRatio_ != 0) m = m * Mat4::scaling({aspectRatio_, 1, 1});
    return m;
}

Mat4 TGLSpaceText::lineMatrix(int index) {
    const std::string& line =
        index >= 0 && index < int(lines_.size()) ? lines_[std::size_t(index)] : std::string();
    const TextLineExtent e = measureLine(line);
    // Applied to a glyph point in this order: the step down, the adjustment, the scale.
    Mat4 scale = Mat4::identity();
    Vec3 shift;
    const bool adjusted = !(adjust_ == TGLTextAdjust{}) || textHeight_ != 0;
    if (adjusted) {
        // A line without ink has no height to scale to; it keeps its size.
        if (textHeight_ != 0 && e.height > 0) {
            const float k = textHeight_ / e.height;
            scale = Mat4::scaling({k, k, 1});
        }
        if (adjust_.horz == TGLTextHorzAdjust::haCenter) shift.x -= e.width / 2;
        if (adjust_.horz == TGLTextHorzAdjust::haRight) shift.x -= e.width;
        switch (adjust_.vert) {
        case TGLTextVertAdjust::vaTop:
            shift.y -= e.height;
            break;
        case TGLTextVertAdjust::vaCenter:
            shift.y += std::abs(e.descent) / 2 - e.height / 2;
            break;
        case TGLTextVertAdjust::vaBottom:
            shift.y += std::abs(e.descent);
            break;
        default:
            break;
        }
    }
    const Vec3 step{0, -float(index) * (e.height + aspectRatio_), 0};
    return Mat4::translation(step) * Mat4::translation(shift) * scale;
}

void TGLSpaceText::doRender(RenderContext& ctx, bool renderSelf, bool renderChildren) {
    if (renderSelf && manager_ && !lines_.empty()) {
        // Each context holds its own display lists of the set.
        ensureGlyphSet();
        const GlyphSet& set = *set_;
        RenderBackend& backend = ctx.backend();
        set.compile(backend);
        ctx.applyMaterial(material());
        backend.pushMatrix();
        backend.multMatrix(textMatrix());
        for (int i = 0; i < int(lines_.size()); ++i) {
            backend.pushMatrix();
            backend.multMatrix(lineMatrix(i));
            set.callLists(lines_[std::size_t(i)], backend);
            backend.popMatrix();
        }
        backend.popMatrix();
        ctx.releaseMaterial(material());
    }
    if (renderChildren && count() > 0) this->renderChildren(0, int(count()) - 1, ctx);
}

} // namespace coilrun::engine
