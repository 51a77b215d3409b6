#pragma once
#include "tools/assetgen/canvas.h"

#include <string_view>
#include <vector>

// The game's own lettering: a rounded stroke alphabet (capitals, digits and the
// punctuation the pictures need) drawn on a 4 x 6 grid, cap height 6. Lower-case
// letters are drawn as capitals.
namespace coilrun::assetgen {

// Characters that draw arrows, for the labels of the arrow keys.
inline constexpr char arrowLeft = '\x11', arrowRight = '\x12', arrowUp = '\x13', arrowDown = '\x14';

struct Segment {
    Point a, b;
};

enum class Align { Left, Centre, Right };

struct TextStyle {
    float capHeight = 24;  // pixels
    float weight = 0.16f;  // stroke width as a fraction of the cap height
    float tracking = 1.2f; // grid units between letters
    Align align = Align::Left;
};

// The strokes of text laid out with its top-left (or top-centre, top-right) at
// (x, y), in pixels.
std::vector<Segment> layoutText(std::string_view text, float x, float y, const TextStyle& style);
float textWidth(std::string_view text, const TextStyle& style);

// Flat lettering.
void drawText(Canvas& canvas, std::string_view text, float x, float y, const TextStyle& style,
              Rgb c, float opacity = 1);
// Lettering as shiny tubes, shaded as if round in cross-section.
void drawTubeText(Canvas& canvas, std::string_view text, float x, float y, const TextStyle& style,
                  const Shading& shading);
// Any set of strokes as tubes of the given width.
void drawTubes(Canvas& canvas, const std::vector<Segment>& segments, float width,
               const Shading& shading);

} // namespace coilrun::assetgen
