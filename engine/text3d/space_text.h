#pragma once
#include "engine/objects/scene_object.h"
#include "engine/platform/font_description.h"
#include "engine/text3d/font_manager.h"

#include <string>
#include <vector>

namespace coilrun::engine {

enum class TGLTextHorzAdjust { haLeft, haCenter, haRight, haAligned, haCentrically, haFitIn };
enum class TGLTextVertAdjust { vaTop, vaCenter, vaBottom, vaBaseLine };

struct TGLTextAdjust {
    TGLTextHorzAdjust horz = TGLTextHorzAdjust::haLeft;
    TGLTextVertAdjust vert = TGLTextVertAdjust::vaBaseLine;
    bool operator==(const TGLTextAdjust&) const = default;
};

// The measure of one line in em units.
struct TextLineExtent {
    float width = 0;   // pen advance over the line
    float height = 0;  // highest ink above the baseline
    float descent = 0; // lowest ink, negative below the baseline
};

// Lines of text as solid letters built from a system font's outlines. The letters stand
// on the local XY plane reading towards +X, the first line's baseline on the X axis; the
// extrusion goes towards -Z. The glyphs come from a set shared through the font manager
// by every space text of the same font, extrusion, deviation and range.
class TGLSpaceText : public TGLSceneObject {
public:
    explicit TGLSpaceText(FontManager* fontManager = nullptr);
    ~TGLSpaceText() override;
    std::string className() const override { return "TGLSpaceText"; }

    // Where glyph sets come from; it must outlive the text. Without one nothing is drawn.
    void setFontManager(FontManager* manager);
    FontManager* fontManager() const { return manager_; }

    const std::vector<std::string>& lines() const { return lines_; }
    void setLines(const std::vector<std::string>& lines);
    // The lines joined with line breaks; setting it splits at CR, LF or CR LF.
    std::string text() const;
    void setText(const std::string& text);

    // Name, style and character set of the outlines; the size plays no part.
    const platform::FontSpec& font() const { return font_; }
    void setFont(const platform::FontSpec& font);
    void setFontName(const std::string& name);
    void setFontBold(bool bold);
    void setFontItalic(bool italic);
    float extrusion() const { return extrusion_; }
    void setExtrusion(float depth);
    float allowedDeviation() const { return deviation_; }
    void setAllowedDeviation(float deviation);
    TGLSpaceTextCharRange characterRange() const { return range_; }
    void setCharacterRange(TGLSpaceTextCharRange range);
    const TGLTextAdjust& adjust() const { return adjust_; }
    void setAdjust(const TGLTextAdjust& adjust);
    void setAdjustHorz(TGLTextHorzAdjust horz) { setAdjust({horz, adjust_.vert}); }
    void setAdjustVert(TGLTextVertAdjust vert) { setAdjust({adjust_.horz, vert}); }
    float aspectRatio() const { return aspectRatio_; }
    void setAspectRatio(float ratio);
    // Degrees about Z.
    float oblique() const { return oblique_; }
    void setOblique(float degrees);
    float textHeight() const { return textHeight_; }
    void setTextHeight(float height);

    // The key the glyph set is shared by.
    GlyphSetKey glyphSetKey() const;
    // The glyph set held now (null until acquired, and again after a key change).
    const GlyphSet* glyphSet() const { return set_; }
    // Acquires the glyph set if none is held; throws TGLFontManagerError when the
    // font cannot be had.
    const GlyphSet* ensureGlyphSet();

    // Measures a line with the glyph set (acquired if needed).
    TextLineExtent measureLine(const std::string& line);
    // The matrix that the whole text is drawn in (aspect ratio, oblique), and the one of
    // line i inside it (adjustment, text height, the step down by the lines above).
    Mat4 textMatrix() const;
    Mat4 lineMatrix(int index);

    bool cachesGeometry() const override { return false; }
    void doRender(RenderContext& ctx, bool renderSelf, bool renderChildren) override;

private:
    void keyChanged();
    void releaseSet();

    FontManager* manager_;
    GlyphSet* set_ = nullptr;
    std::vector<std::string> lines_;
    platform::FontSpec font_;
    float extrusion_ = 0;
    float deviation_ = 0;
    TGLSpaceTextCharRange range_ = TGLSpaceTextCharRange::stcrAll;
    TGLTextAdjust adjust_;
    float aspectRatio_ = 0;
    float oblique_ = 0;
    float textHeight_ = 0;
};

} // namespace coilrun::engine
