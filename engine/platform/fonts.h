#pragma once
#include "engine/platform/font_description.h"
#include "engine/platform/image.h"

#include <string>
#include <vector>

namespace coilrun::platform {

// Draws text of a system font into pictures (for bitmap fonts).
class FontRasterizer {
public:
    virtual ~FontRasterizer() = default;
    // Pixel width of text set in font (advance widths summed).
    virtual int textWidth(const FontSpec& font, const std::string& text) const = 0;
    // Pixel height of a line of text set in font.
    virtual int textHeight(const FontSpec& font, const std::string& text) const = 0;
    // Draws text in white on transparent black into a width x height picture, its top-left
    // cell corner at (x, y).
    virtual void drawText(Image& target, const FontSpec& font, int x, int y,
                          const std::string& text) const = 0;
};

// A glyph outline in em units: closed contours already flattened to points.
struct GlyphOutline {
    std::vector<std::vector<std::pair<double, double>>> contours;
    double blackBoxX = 0, blackBoxY = 0; // size of the inked box
    double originX = 0, originY = 0;     // top-left of the inked box from the pen, Y up
    double cellIncX = 0, cellIncY = 0;   // pen advance
};

// Glyph outlines of system fonts (for extruded 3D text).
class GlyphOutlines {
public:
    virtual ~GlyphOutlines() = default;
    // The outline of character code (8-bit, ANSI) in font, curves flattened so that no
    // chord leaves the curve by more than deviation em (0 = the service's default).
    // Returns false when the font cannot be had.
    virtual bool outline(const FontSpec& font, unsigned char code, double deviation,
                         GlyphOutline& out) const = 0;
};

} // namespace coilrun::platform
