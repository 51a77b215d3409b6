#include "tools/assetgen/lettering.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace coilrun::assetgen {

namespace {

constexpr float pi = 3.14159265f;

using Stroke = std::vector<Point>;

struct Glyph {
    float width = 4; // grid units
    std::vector<Stroke> strokes;
};

// Points along an ellipse from angle a0 to a1 (degrees; 0 = right, 90 = down).
Stroke arcPoints(float cx, float cy, float rx, float ry, float a0, float a1) {
    Stroke s;
    const int steps = std::max(6, int(std::fabs(a1 - a0) / 10));
    for (int i = 0; i <= steps; ++i) {
        const float a = (a0 + (a1 - a0) * float(i) / steps) * pi / 180;
        s.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return s;
}

Stroke join(Stroke a, const Stroke& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Stroke dot(float x, float y) {
    return {{x, y}, {x, y}};
}

std::map<char, Glyph> makeAlphabet() {
    std::map<char, Glyph> g;
    g['A'] = {4, {{{0, 6}, {2, 0}, {4, 6}}, {{0.7f, 4}, {3.3f, 4}}}};
    g['B'] = {4,
              {{{0, 3}, {0, 0}, {2.4f, 0}},
               join(arcPoints(2.4f, 1.5f, 1.4f, 1.5f, -90, 90), {{0, 3}, {2.6f, 3}}),
               {{0, 3}, {0, 6}, {2.6f, 6}},
               arcPoints(2.6f, 4.5f, 1.4f, 1.5f, -90, 90)}};
    g['C'] = {4, {arcPoints(2.2f, 3, 2.2f, 3, -42, -318)}};
    g['D'] = {4,
              {join({{1.2f, 6}, {0, 6}, {0, 0}, {1.2f, 0}}, arcPoints(1.2f, 3, 2.8f, 3, -90, 90))}};
    g['E'] = {3.6f, {{{3.6f, 0}, {0, 0}, {0, 6}, {3.6f, 6}}, {{0, 3}, {2.8f, 3}}}};
    g['F'] = {3.6f, {{{3.6f, 0}, {0, 0}, {0, 6}}, {{0, 3}, {2.8f, 3}}}};
    g['G'] = {4.2f, {join(arcPoints(2.2f, 3, 2.2f, 3, -42, -360), {{4.4f, 3.3f}, {2.6f, 3.3f}})}};
    g['H'] = {4, {{{0, 0}, {0, 6}}, {{4, 0}, {4, 6}}, {{0, 3}, {4, 3}}}};
    g['I'] = {0, {{{0, 0}, {0, 6}}}};
    g['J'] = {3.4f, {join({{3.4f, 0}, {3.4f, 4.3f}}, arcPoints(1.7f, 4.3f, 1.7f, 1.7f, 0, 180))}};
    g['K'] = {4, {{{0, 0}, {0, 6}}, {{4, 0}, {0, 3.8f}}, {{1.4f, 2.6f}, {4, 6}}}};
    g['L'] = {3.5f, {{{0, 0}, {0, 6}, {3.5f, 6}}}};
    g['M'] = {4.8f, {{{0, 6}, {0, 0}, {2.4f, 4}, {4.8f, 0}, {4.8f, 6}}}};
    g['N'] = {4, {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}}};
    g['O'] = {4.4f, {arcPoints(2.2f, 3, 2.2f, 3, 0, 360)}};
    g['P'] = {4,
              {join({{0, 6}, {0, 0}, {2.4f, 0}},
                    join(arcPoints(2.4f, 1.6f, 1.6f, 1.6f, -90, 90), {{0, 3.2f}}))}};
    g['Q'] = {4.4f, {arcPoints(2.2f, 3, 2.2f, 3, 0, 360), {{2.8f, 4.4f}, {4.4f, 6.4f}}}};
    g['R'] = {4,
              {join({{0, 6}, {0, 0}, {2.4f, 0}},
                    join(arcPoints(2.4f, 1.6f, 1.6f, 1.6f, -90, 90), {{0, 3.2f}})),
               {{2.2f, 3.2f}, {4, 6}}}};
    g['S'] = {
        4,
        {join(arcPoints(2, 1.5f, 1.9f, 1.5f, -25, -270), arcPoints(2, 4.5f, 2, 1.5f, -90, 155))}};
    g['T'] = {4, {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}}};
    g['U'] = {4, {join(join({{0, 0}, {0, 4}}, arcPoints(2, 4, 2, 2, 180, 0)), {{4, 0}})}};
    g['V'] = {4, {{{0, 0}, {2, 6}, {4, 0}}}};
    g['W'] = {5, {{{0, 0}, {1.25f, 6}, {2.5f, 1.6f}, {3.75f, 6}, {5, 0}}}};
    g['X'] = {4, {{{0, 0}, {4, 6}}, {{4, 0}, {0, 6}}}};
    g['Y'] = {4, {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}}};
    g['Z'] = {4, {{{0, 0}, {4, 0}, {0, 6}, {4, 6}}}};
    g['0'] = {4, {arcPoints(2, 3, 2, 3, 0, 360)}};
    g['1'] = {2.4f, {{{0, 1.2f}, {1.6f, 0}, {1.6f, 6}}}};
    g['2'] = {4, {join(arcPoints(2, 1.8f, 2, 1.8f, -165, 25), {{0, 6}, {4, 6}})}};
    g['3'] = {
        4, {join(arcPoints(2, 1.5f, 1.8f, 1.5f, -160, 90), arcPoints(2, 4.5f, 2, 1.5f, -90, 160))}};
    g['4'] = {4, {{{3, 6}, {3, 0}, {0, 4.2f}, {4, 4.2f}}}};
    g['5'] = {4,
              {join({{3.8f, 0}, {0.4f, 0}, {0.1f, 2.9f}}, arcPoints(2, 4.1f, 2, 1.9f, -118, 150))}};
    g['6'] = {4,
              {arcPoints(2, 4.1f, 2, 1.9f, 0, 360),
               join(arcPoints(4.2f, 4.1f, 4.2f, 4.1f, 180, 250), {{3.4f, 0.1f}})}};
    g['7'] = {4, {{{0, 0}, {4, 0}, {1.4f, 6}}}};
    g['8'] = {4, {arcPoints(2, 1.5f, 1.7f, 1.5f, 0, 360), arcPoints(2, 4.4f, 2, 1.6f, 0, 360)}};
    g['9'] = {4,
              {arcPoints(2, 1.9f, 2, 1.9f, 0, 360),
               join(arcPoints(-0.2f, 1.9f, 4.2f, 4.1f, 0, 70), {{0.6f, 5.9f}})}};
    g[' '] = {2.2f, {}};
    g['.'] = {0, {dot(0, 6)}};
    g[','] = {0.5f, {{{0.5f, 5.8f}, {0, 7}}}};
    g['!'] = {0, {{{0, 0}, {0, 4.2f}}, dot(0, 6)}};
    g['?'] = {3.6f,
              {join(arcPoints(1.8f, 1.6f, 1.8f, 1.6f, -165, 75), {{1.8f, 3.6f}, {1.8f, 4.2f}}),
               dot(1.8f, 6)}};
    g[':'] = {0, {dot(0, 2.2f), dot(0, 6)}};
    g['-'] = {2.6f, {{{0, 3.3f}, {2.6f, 3.3f}}}};
    g['+'] = {3.6f, {{{0, 3.3f}, {3.6f, 3.3f}}, {{1.8f, 1.5f}, {1.8f, 5.1f}}}};
    g['='] = {3.6f, {{{0, 2.4f}, {3.6f, 2.4f}}, {{0, 4.2f}, {3.6f, 4.2f}}}};
    g['/'] = {3, {{{0, 6.4f}, {3, -0.4f}}}};
    g['\''] = {0, {{{0, 0}, {0, 1.6f}}}};
    g['"'] = {1.2f, {{{0, 0}, {0, 1.6f}}, {{1.2f, 0}, {1.2f, 1.6f}}}};
    g['('] = {1.4f, {arcPoints(3.2f, 3, 3.2f, 3.6f, -124, -236)}};
    g[')'] = {1.4f, {arcPoints(-1.8f, 3, 3.2f, 3.6f, -56, 56)}};
    g['['] = {1.4f, {{{1.4f, -0.4f}, {0, -0.4f}, {0, 6.4f}, {1.4f, 6.4f}}}};
    g[']'] = {1.4f, {{{0, -0.4f}, {1.4f, -0.4f}, {1.4f, 6.4f}, {0, 6.4f}}}};
    // Arrows for key labels.
    g[arrowLeft] = {4, {{{4, 3}, {0, 3}}, {{1.8f, 1.2f}, {0, 3}, {1.8f, 4.8f}}}};
    g[arrowRight] = {4, {{{0, 3}, {4, 3}}, {{2.2f, 1.2f}, {4, 3}, {2.2f, 4.8f}}}};
    g[arrowUp] = {3.6f, {{{1.8f, 6}, {1.8f, 0.4f}}, {{0, 2.2f}, {1.8f, 0.4f}, {3.6f, 2.2f}}}};
    g[arrowDown] = {3.6f, {{{1.8f, 0}, {1.8f, 5.6f}}, {{0, 3.8f}, {1.8f, 5.6f}, {3.6f, 3.8f}}}};
    return g;
}

const Glyph& glyphOf(char c) {
    static const std::map<char, Glyph> alphabet = makeAlphabet();
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    auto it = alphabet.find(c);
    if (it == alphabet.end()) it = alphabet.find('?');
    return it->second;
}

float advanceOf(char c, const TextStyle& s) {
    return glyphOf(c).width + s.tracking + s.weight * 6;
}

float segmentDistance(float px, float py, const Segment& s, float& t) {
    const float dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const float len2 = dx * dx + dy * dy;
    t = len2 > 0 ? std::clamp(((px - s.a.x) * dx + (py - s.a.y) * dy) / len2, 0.0f, 1.0f) : 0;
    return std::hypot(px - (s.a.x + t * dx), py - (s.a.y + t * dy));
}

struct Bounds {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
};

Bounds boundsOf(const std::vector<Segment>& segs) {
    Bounds b;
    for (const Segment& s : segs)
        for (const Point& p : {s.a, s.b}) {
            b.x0 = std::min(b.x0, p.x), b.y0 = std::min(b.y0, p.y);
            b.x1 = std::max(b.x1, p.x), b.y1 = std::max(b.y1, p.y);
        }
    return b;
}

// The distance from (px, py) to the nearest segment, and where that nearest
// point is. Segments far from the pixel are skipped by their boxes.
float nearest(const std::vector<Segment>& segs, const std::vector<Bounds>& boxes, float reach,
              float px, float py, Point& at) {
    float best = 1e9f;
    for (std::size_t i = 0; i < segs.size(); ++i) {
        const Bounds& b = boxes[i];
        if (px < b.x0 - reach || px > b.x1 + reach || py < b.y0 - reach || py > b.y1 + reach)
            continue;
        float t = 0;
        const float d = segmentDistance(px, py, segs[i], t);
        if (d < best) {
            best = d;
            at = {segs[i].a.x + t * (segs[i].b.x - segs[i].a.x),
                  segs[i].a.y + t * (segs[i].b.y - segs[i].a.y)};
        }
    }
    return best;
}

void drawStrokes(Canvas& canvas, const std::vector<Segment>& segs, float width,
                 const std::function<Rgb(float, float, float, Point)>& colour, float opacity) {
    if (segs.empty()) return;
    std::vector<Bounds> boxes;
    for (const Segment& s : segs)
        boxes.push_back(boundsOf({s}));
    const Bounds all = boundsOf(segs);
    const float hw = width / 2;
    Point at;
    canvas.shape(
        all.x0 - hw, all.y0 - hw, all.x1 + hw, all.y1 + hw,
        [&](float px, float py) { return nearest(segs, boxes, hw + 1, px, py, at) - hw; },
        [&](float px, float py, float d) { return colour(px, py, d, at); }, opacity);
}

} // namespace

float textWidth(std::string_view text, const TextStyle& style) {
    const float unit = style.capHeight / 6;
    float w = 0;
    for (char c : text)
        w += advanceOf(c, style);
    if (!text.empty()) w -= style.tracking; // no gap after the last letter
    return w * unit;
}

std::vector<Segment> layoutText(std::string_view text, float x, float y, const TextStyle& style) {
    const float unit = style.capHeight / 6;
    const float total = textWidth(text, style);
    const float half = style.weight * style.capHeight / 2;
    float pen = x + half;
    if (style.align == Align::Centre) pen = x - total / 2 + half;
    if (style.align == Align::Right) pen = x - total + half;
    std::vector<Segment> out;
    for (char c : text) {
        const Glyph& g = glyphOf(c);
        for (const Stroke& s : g.strokes)
            for (std::size_t i = 1; i < s.size(); ++i)
                out.push_back({{pen + s[i - 1].x * unit, y + s[i - 1].y * unit},
                               {pen + s[i].x * unit, y + s[i].y * unit}});
        pen += advanceOf(c, style) * unit;
    }
    return out;
}

void drawText(Canvas& canvas, std::string_view text, float x, float y, const TextStyle& style,
              Rgb c, float opacity) {
    drawStrokes(
        canvas, layoutText(text, x, y, style), style.weight * style.capHeight,
        [&](float, float, float, Point) { return c; }, opacity);
}

void drawTubes(Canvas& canvas, const std::vector<Segment>& segs, float width,
               const Shading& shading) {
    const float r = width / 2;
    drawStrokes(
        canvas, segs, width,
        [&](float px, float py, float, Point at) {
            const float nx = (px - at.x) / r, ny = (py - at.y) / r;
            const float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
            return shade(shading, nx, ny, nz);
        },
        1);
}

void drawTubeText(Canvas& canvas, std::string_view text, float x, float y, const TextStyle& style,
                  const Shading& shading) {
    drawTubes(canvas, layoutText(text, x, y, style), style.weight * style.capHeight, shading);
}

} // namespace coilrun::assetgen
