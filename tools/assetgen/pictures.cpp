#include "tools/assetgen/pictures.h"

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/lettering.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace coilrun::assetgen {

namespace {

constexpr float pi = 3.14159265f;

// The palette every picture shares.
const Rgb snakeGreen = rgb(0x3ad65a);
const Rgb speckGold = rgb(0xffc83a);
const Rgb titleColour = rgb(0x8af0a0);
const Rgb textColour = rgb(0xe8f0ff);
const Rgb keyEdge = rgb(0xa8d4ff);
const Rgb keyFace = rgb(0x16202c);
const Rgb lineColour = rgb(0x3f86b8);
const Rgb warnColour = rgb(0xff6a5a);

Shading snakeShading(float k = 1) {
    return {scale(snakeGreen, k), 0.22f, 0.75f, 36};
}

// ---- pieces shared by the pages -------------------------------------------------

void keycap(Canvas& c, float x, float y, float w, float h, std::string_view label,
            float labelSize = 0) {
    c.fillRoundRect(x + 2, y + 5, w, h, h * 0.18f, rgb(0x05080c)); // shadow
    c.fillRoundRect(x, y, w, h, h * 0.18f, keyFace);
    c.fillRoundRect(x + h * 0.1f, y + h * 0.08f, w - h * 0.2f, h * 0.72f, h * 0.14f, rgb(0x223244));
    c.strokeRoundRect(x, y, w, h, h * 0.18f, 3, keyEdge);
    TextStyle t;
    t.capHeight = labelSize > 0 ? labelSize : h * 0.4f;
    t.weight = 0.15f;
    t.tracking = 1.0f;
    t.align = Align::Centre;
    drawText(c, label, x + w / 2, y + h * 0.44f - t.capHeight / 2, t, rgb(0xffffff));
}

void heading(Canvas& c, std::string_view title, int page) {
    TextStyle t;
    t.capHeight = 34;
    t.weight = 0.17f;
    t.align = Align::Centre;
    const float fit = 600 / textWidth(title, t);
    const float top = 26;
    if (fit < 1) t.capHeight *= fit;
    drawText(c, title, c.width() / 2.0f, top + (34 - t.capHeight) / 2, t, titleColour);
    c.line({120, 80}, {float(c.width()) - 120, 80}, 2, lineColour, 0.8f);
    // Where this page stands among the five.
    for (int i = 0; i < 5; ++i) {
        const float x = c.width() / 2.0f + (i - 2) * 22.0f;
        if (i == page)
            c.fillCircle(x, 470, 6, titleColour);
        else
            c.ring(x, 470, 5, 2, lineColour);
    }
}

// A line of text, made smaller when it would not fit in maxWidth.
void caption(Canvas& c, std::string_view text, float x, float y, float size, Rgb colour,
             Align align = Align::Left, float maxWidth = 0) {
    TextStyle t;
    t.capHeight = size;
    t.weight = 0.16f;
    t.tracking = 1.1f;
    t.align = align;
    if (maxWidth <= 0) {
        maxWidth = align == Align::Left    ? float(c.width()) - 24 - x
                   : align == Align::Right ? x - 24
                                           : 2 * std::min(x, float(c.width()) - x) - 48;
    }
    const float w = textWidth(text, t);
    if (w > maxWidth) t.capHeight = size * maxWidth / w;
    drawText(c, text, x, y + (size - t.capHeight) / 2, t, colour);
}

// A snake of spheres along the points, tail first; the last point is the head.
void snake(Canvas& c, const std::vector<Point>& body, float radius, Point look = {1, 0}) {
    for (std::size_t i = 0; i < body.size(); ++i) {
        const float k = 0.7f + 0.3f * float(i) / float(std::max<std::size_t>(1, body.size() - 1));
        const bool head = i + 1 == body.size();
        c.sphere(body[i].x, body[i].y, radius * (head ? 1.15f : k),
                 snakeShading(head ? 1.1f : 0.8f + 0.2f * k));
    }
    const Point h = body.back();
    const float r = radius * 1.15f;
    const float lx = look.x, ly = look.y;
    for (int side : {-1, 1}) {
        const float ex = h.x + lx * r * 0.45f - ly * side * r * 0.42f;
        const float ey = h.y + ly * r * 0.45f + lx * side * r * 0.42f - r * 0.25f;
        c.fillCircle(ex, ey, r * 0.2f, rgb(0xffffff));
        c.fillCircle(ex + lx * r * 0.07f, ey + ly * r * 0.07f, r * 0.1f, rgb(0x081008));
    }
}

void speck(Canvas& c, float x, float y, float r) {
    c.glow(x, y, r * 3.2f, scale(speckGold, 0.6f), 0.9f);
    c.sphere(x, y, r, {speckGold, 0.35f, 0.9f, 30});
}

// A simple camera for the little 3D drawings: turn about the vertical, tilt,
// then perspective.
struct View {
    float cx, cy, size, yaw, pitch, distance = 30; // in cells; long, so the cube is not distorted
    Point operator()(float x, float y, float z) const {
        const float cyaw = std::cos(yaw), syaw = std::sin(yaw);
        const float x1 = x * cyaw - z * syaw, z1 = x * syaw + z * cyaw;
        const float cp = std::cos(pitch), sp = std::sin(pitch);
        const float y2 = y * cp - z1 * sp, z2 = y * sp + z1 * cp;
        const float k = distance / (distance + z2);
        return {cx + x1 * size * k, cy - y2 * size * k};
    }
    float depthScale(float x, float y, float z) const {
        const float z1 = x * std::sin(yaw) + z * std::cos(yaw);
        const float z2 = y * std::sin(pitch) + z1 * std::cos(pitch);
        return distance / (distance + z2);
    }
};

void wireCube(Canvas& c, const View& v, float half, Rgb colour, float width) {
    const std::array<std::array<float, 3>, 8> p{{{-1, -1, -1},
                                                 {1, -1, -1},
                                                 {1, 1, -1},
                                                 {-1, 1, -1},
                                                 {-1, -1, 1},
                                                 {1, -1, 1},
                                                 {1, 1, 1},
                                                 {-1, 1, 1}}};
    const int edges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                              {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    for (const auto& e : edges) {
        const auto& a = p[std::size_t(e[0])];
        const auto& b = p[std::size_t(e[1])];
        c.line(v(a[0] * half, a[1] * half, a[2] * half), v(b[0] * half, b[1] * half, b[2] * half),
               width, colour);
    }
}

// ---- the five pages -----------------------------------------------------------

// Page 1: what the game is about.
void pageGoal(Canvas& c) {
    heading(c, "THE GOAL", 0);
    const View v{185, 282, 31, 0.6f, 0.42f};
    // Floor grid of the 7 x 7 x 7 playfield.
    for (int i = -3; i <= 4; ++i) {
        const float g = (i - 0.5f) * 2 * 1.0f;
        c.line(v(g * 0.5f * 1.0f, -3.5f, -3.5f), v(g * 0.5f, -3.5f, 3.5f), 1, lineColour, 0.45f);
        c.line(v(-3.5f, -3.5f, g * 0.5f), v(3.5f, -3.5f, g * 0.5f), 1, lineColour, 0.45f);
    }
    wireCube(c, v, 3.5f, lineColour, 2);
    // The snake in the cube, heading for the speck; drawn far to near.
    const std::vector<std::array<float, 3>> cells{{-2, -1, 1}, {-1, -1, 1}, {0, -1, 1}, {0, 0, 1},
                                                  {0, 1, 1},   {1, 1, 1},   {2, 1, 1}};
    std::vector<Point> body;
    for (const auto& p : cells)
        body.push_back(v(p[0], p[1], p[2]));
    const float r = 0.5f * 31 * v.depthScale(0, 0, 1);
    speck(c, v(2, 1, -2).x, v(2, 1, -2).y, r * 0.6f);
    snake(c, body, r, {0.8f, 0.6f});
    const float x = 380;
    caption(c, "EAT THE SPECKS", x, 118, 26, speckGold);
    caption(c, "TO GROW LONGER.", x, 156, 20, textColour);
    caption(c, "REACH THE LEVEL'S", x, 214, 20, textColour);
    caption(c, "LENGTH TO WIN.", x, 246, 20, textColour);
    caption(c, "DON'T RUN INTO", x, 304, 20, warnColour);
    caption(c, "YOUR OWN BODY", x, 336, 20, warnColour);
    caption(c, "OR OUT OF THE CUBE!", x, 368, 20, warnColour);
}

// Page 2: the arrow keys.
void pageArrows(Canvas& c) {
    heading(c, "STEER WITH THE ARROWS", 1);
    const float k = 68, gap = 10, x0 = 70, y0 = 112;
    keycap(c, x0 + k + gap, y0, k, k, std::string(1, arrowUp), 30);
    keycap(c, x0, y0 + k + gap, k, k, std::string(1, arrowLeft), 30);
    keycap(c, x0 + k + gap, y0 + k + gap, k, k, std::string(1, arrowDown), 30);
    keycap(c, x0 + 2 * (k + gap), y0 + k + gap, k, k, std::string(1, arrowRight), 30);
    const float tx = 350;
    caption(c, std::string(1, arrowLeft) + " " + std::string(1, arrowRight) + "  LEFT, RIGHT", tx,
            140, 26, textColour);
    caption(c, "AS YOU SEE THE CUBE", tx + 2, 180, 17, lineColour);
    caption(c, std::string(1, arrowUp) + " " + std::string(1, arrowDown) + "  UP, DOWN", tx, 232,
            26, textColour);
    caption(c, "THE SNAKE NEVER TURNS BACK", tx + 2, 272, 17, lineColour);
    // The head and the ways it can go.
    const Point h{205, 372};
    c.arrow({h.x - 32, h.y}, {h.x - 100, h.y}, 5, 18, speckGold);
    c.arrow({h.x + 32, h.y}, {h.x + 100, h.y}, 5, 18, speckGold);
    c.arrow({h.x, h.y - 30}, {h.x, h.y - 62}, 5, 16, speckGold);
    c.arrow({h.x, h.y + 30}, {h.x, h.y + 62}, 5, 16, speckGold);
    snake(c, {{h.x - 44, h.y + 40}, {h.x - 22, h.y + 20}, h}, 16, {0.7f, -0.7f});
    caption(c, "PRESS AN ARROW KEY TO START", tx, 362, 19, titleColour);
}

// Page 3: up and down on the letter keys.
void pageUpDown(Canvas& c) {
    heading(c, "CLIMB AND DIVE", 2);
    const float k = 72;
    keycap(c, 70, 108, k, k, "W");
    keycap(c, 166, 108, k, k, "+");
    caption(c, "UP", 155, 196, 28, titleColour, Align::Centre);
    keycap(c, 70, 250, k, k, "S");
    keycap(c, 166, 250, k, k, "-");
    caption(c, "DOWN", 155, 338, 28, titleColour, Align::Centre);
    c.arrow({300, 228}, {300, 112}, 8, 26, speckGold);
    c.arrow({300, 258}, {300, 374}, 8, 26, speckGold);
    // The snake rising up a column of the cube.
    const View v{535, 262, 36, 0.5f, 0.35f};
    wireCube(c, v, 3.5f, lineColour, 1.5f);
    std::vector<Point> body;
    for (const auto& p : std::vector<std::array<float, 3>>{{-2, -3, 0},
                                                           {-1, -3, 0},
                                                           {0, -3, 0},
                                                           {0, -2, 0},
                                                           {0, -1, 0},
                                                           {0, 0, 0},
                                                           {0, 1, 0},
                                                           {0, 2, 0}})
        body.push_back(v(p[0], p[1], p[2]));
    snake(c, body, 16, {0, -1});
    caption(c, "A AND D STEER LEFT AND RIGHT TOO", c.width() / 2.0f, 414, 17, lineColour,
            Align::Centre);
}

// Page 4: turning the view with the mouse.
void pageMouse(Canvas& c) {
    heading(c, "TURN THE VIEW", 3);
    // The mouse.
    const float mx = 170, my = 255;
    c.fillRoundRect(mx - 55, my - 85, 110, 170, 52, keyFace);
    c.strokeRoundRect(mx - 55, my - 85, 110, 170, 52, 4, keyEdge);
    c.line({mx - 53, my - 25}, {mx + 53, my - 25}, 3, keyEdge);
    c.line({mx, my - 83}, {mx, my - 25}, 3, keyEdge);
    c.fillRoundRect(mx - 6, my - 68, 12, 26, 6, keyEdge);
    c.arc(mx, my + 5, 125, 200, 160 + 180 - 20, 5, speckGold); // left-right sweep
    c.arrow({mx - 95, my - 20}, {mx - 118, my + 35}, 5, 18, speckGold);
    c.arrow({mx + 95, my - 20}, {mx + 118, my + 35}, 5, 18, speckGold);
    c.arrow({mx - 40, my + 120}, {mx - 110, my + 120}, 5, 18, speckGold);
    c.arrow({mx + 40, my + 120}, {mx + 110, my + 120}, 5, 18, speckGold);
    // The cube and the way the view circles it.
    const View v{520, 250, 27, 0.75f, 0.4f};
    wireCube(c, v, 3.5f, lineColour, 2);
    std::vector<Point> orbit;
    for (int i = 0; i <= 60; ++i) {
        const float a = (30 + 290 * float(i) / 60) * pi / 180;
        orbit.push_back({520 + 165 * std::cos(a), 330 + 38 * std::sin(a)});
    }
    c.polyline(orbit, 5, speckGold);
    const Point end = orbit.back(), before = orbit[orbit.size() - 3];
    c.arrow(before, {end.x + (end.x - before.x) * 2, end.y + (end.y - before.y) * 2}, 5, 20,
            speckGold);
    std::vector<Point> body;
    for (const auto& p :
         std::vector<std::array<float, 3>>{{-1, 0, 1}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}})
        body.push_back(v(p[0], p[1], p[2]));
    snake(c, body, 13);
    caption(c, "MOVE THE MOUSE TO CIRCLE THE CUBE", c.width() / 2.0f, 402, 19, textColour,
            Align::Centre);
    caption(c, "AND REACH THE NEAR AND FAR SIDES", c.width() / 2.0f, 432, 16, lineColour,
            Align::Centre);
}

// Page 5: the level map, pause and sound.
void pageMapPauseMute(Canvas& c) {
    heading(c, "MAP, PAUSE AND SOUND", 4);
    const float cell = 34, gx = 60, gy = 112;
    // The snake's columns from above, and the speck's.
    const std::vector<std::array<int, 2>> lit{{1, 5}, {2, 5}, {3, 5}, {3, 4},
                                              {3, 3}, {4, 3}, {5, 3}};
    for (int z = 0; z < 7; ++z)
        for (int x = 0; x < 7; ++x) {
            const float px = gx + x * cell, py = gy + z * cell;
            bool on = false;
            for (const auto& l : lit)
                on = on || (l[0] == x && l[1] == z);
            if (on)
                c.fillRoundRect(px + 3, py + 3, cell - 6, cell - 6, 5, snakeGreen);
            else
                c.strokeRoundRect(px + 3, py + 3, cell - 6, cell - 6, 5, 1.5f, lineColour, 0.7f);
        }
    speck(c, gx + 5.5f * cell, gy + 1.5f * cell, 9);
    caption(c, "THE MAP SHOWS THE", gx + 3.5f * cell, 360, 17, textColour, Align::Centre);
    caption(c, "SNAKE FROM ABOVE", gx + 3.5f * cell, 386, 17, textColour, Align::Centre);
    caption(c, "FROM LEVEL 2 ON", gx + 3.5f * cell, 418, 15, lineColour, Align::Centre);
    keycap(c, 395, 130, 110, 76, "ESC", 26);
    caption(c, "PAUSE", 530, 154, 28, titleColour);
    keycap(c, 395, 250, 76, 76, "M");
    caption(c, "SOUND", 500, 262, 28, titleColour);
    caption(c, "ON / OFF", 500, 300, 20, textColour);
    caption(c, "SPACE RESUMES", 395, 366, 20, textColour);
}

// ---- the speaker textures -----------------------------------------------------

void speaker(Canvas& c) {
    const Rgb body = rgb(0xe8eef4);
    c.fillRoundRect(4, 11, 6, 8, 1, body);
    c.fillPolygon({{9, 11}, {16, 5}, {16, 25}, {9, 19}}, body);
}

// ---- splash and icon -------------------------------------------------------------

// A coil of spheres: a spiral winding inward from the head at its outer end.
// The balls overlap, tail first, so the body reads as one coiled snake even
// at icon sizes.
void coil(Canvas& c, float cx, float cy, float outer, float turns) {
    auto at = [&](float t) { // 0 at the tail (inside), 1 at the head
        const float a = turns * t * 2 * pi + 0.6f;
        const float r = outer * (0.3f + 0.7f * t);
        return Point{cx + r * std::cos(a), cy + r * std::sin(a)};
    };
    auto radius = [&](float t) { return outer * (0.16f + 0.14f * t); };
    std::vector<Point> pts{at(0)};
    std::vector<float> radii{radius(0)};
    float travelled = 0;
    Point prev = at(0);
    for (int i = 1; i <= 2000; ++i) {
        const float t = float(i) / 2000;
        const Point p = at(t);
        travelled += std::hypot(p.x - prev.x, p.y - prev.y);
        prev = p;
        if (travelled >= 0.75f * radius(t) || i == 2000) {
            pts.push_back(p);
            radii.push_back(radius(t));
            travelled = 0;
        }
    }
    for (std::size_t i = 0; i < pts.size(); ++i)
        c.sphere(pts[i].x, pts[i].y, radii[i] * (i + 1 == pts.size() ? 1.12f : 1.0f),
                 snakeShading(0.7f + 0.35f * float(i) / float(pts.size())));
    // Eyes look along the coil at the head.
    const Point h = pts.back(), p = pts[pts.size() - 2];
    const float dx = h.x - p.x, dy = h.y - p.y, len = std::hypot(dx, dy);
    const float r = radii.back() * 1.12f;
    for (int side : {-1, 1}) {
        const float ex = h.x + dx / len * r * 0.4f - dy / len * side * r * 0.45f;
        const float ey = h.y + dy / len * r * 0.4f + dx / len * side * r * 0.45f;
        c.fillCircle(ex, ey, r * 0.24f, rgb(0xffffff));
        c.fillCircle(ex + dx / len * r * 0.09f, ey + dy / len * r * 0.09f, r * 0.12f,
                     rgb(0x081008));
    }
}

} // namespace

platform::Image soundOnTexture() {
    Canvas c(30, 30);
    speaker(c);
    c.arc(16, 15, 5, -50, 50, 2, rgb(0x9af5b0));
    c.arc(16, 15, 9.5f, -50, 50, 2, rgb(0x9af5b0));
    return c.toImage();
}

platform::Image muteTexture() {
    Canvas c(30, 30);
    speaker(c);
    c.line({19.5f, 10}, {27, 20}, 2.6f, warnColour);
    c.line({27, 10}, {19.5f, 20}, 2.6f, warnColour);
    return c.toImage();
}

platform::Image howToPage(int page) {
    Canvas c(733, 496);
    switch (page) {
    case 0:
        pageGoal(c);
        break;
    case 1:
        pageArrows(c);
        break;
    case 2:
        pageUpDown(c);
        break;
    case 3:
        pageMouse(c);
        break;
    default:
        pageMapPauseMute(c);
        break;
    }
    return c.toImage();
}

platform::Image splashPicture() {
    Canvas c(853, 648);
    // The top left stays dark: the splash writes "Loading..." there.
    const float cy = 392;
    TextStyle t;
    t.capHeight = 112;
    t.weight = 0.2f;
    t.tracking = 0.9f;
    t.align = Align::Centre;
    // A snake coiled round the title: the turns behind the letters first, the
    // letters, then the turns in front. Balls sit at even steps along the coil,
    // so the turns do not bunch up where the coil runs up and down.
    struct Ball {
        Point p;
        float r, depth;
    };
    const float x0 = 58, x1 = 796, amplitude = 92, turns = 3;
    auto at = [&](float u) {
        const float a = u * turns * 2 * pi;
        const float z = std::cos(a);
        return Ball{{x0 + (x1 - x0) * u, cy - amplitude * std::sin(a) * (1 + 0.15f * z)},
                    (9 + 15 * u) * (1 + 0.2f * z),
                    z};
    };
    std::vector<Ball> balls{at(0)};
    float travelled = 0;
    Ball prev = at(0);
    for (int i = 1; i <= 4000; ++i) {
        const Ball b = at(float(i) / 4000);
        travelled += std::hypot(b.p.x - prev.p.x, b.p.y - prev.p.y);
        prev = b;
        if (travelled >= 1.55f * b.r) {
            balls.push_back(b);
            travelled = 0;
        }
    }
    balls.back() = at(1);
    for (const Ball& b : balls)
        if (b.depth < 0) c.sphere(b.p.x, b.p.y, b.r, snakeShading(0.55f + 0.25f * (1 + b.depth)));
    drawTubeText(c, "COILRUN", 853 / 2.0f - 14, cy - 56, t, {speckGold, 0.25f, 0.8f, 30});
    for (std::size_t i = 0; i + 1 < balls.size(); ++i)
        if (balls[i].depth >= 0)
            c.sphere(balls[i].p.x, balls[i].p.y, balls[i].r,
                     snakeShading(0.8f + 0.2f * balls[i].depth));
    // The head, facing on along the title, and the speck it is after.
    const Ball& head = balls.back();
    const float hr = head.r * 1.15f;
    c.sphere(head.p.x, head.p.y, hr, snakeShading(1.1f));
    for (int side : {-1, 1}) {
        const float ex = head.p.x + hr * 0.4f, ey = head.p.y + side * hr * 0.42f - hr * 0.12f;
        c.fillCircle(ex, ey, hr * 0.22f, rgb(0xffffff));
        c.fillCircle(ex + hr * 0.08f, ey, hr * 0.11f, rgb(0x081008));
    }
    c.glow(822, cy - 96, 44, scale(speckGold, 0.5f), 0.8f);
    c.sphere(822, cy - 96, 12, {speckGold, 0.35f, 0.9f, 30});
    TextStyle sub;
    sub.capHeight = 24;
    sub.weight = 0.16f;
    sub.tracking = 1.5f;
    sub.align = Align::Centre;
    drawText(c, "A SNAKE GAME IN THREE DIMENSIONS", 853 / 2.0f, 560, sub, rgb(0xa8d4ff));
    return c.toImage();
}

platform::Image iconImage(int side) {
    Canvas c(side, side, {}, 0);
    const float s = float(side);
    if (side >= 48) {
        coil(c, s / 2, s / 2, s * 0.36f, 1.25f);
    } else {
        // Too small for separate balls: a thick shaded ring with a head.
        std::vector<Segment> segs;
        const int steps = 28;
        Point prev{};
        for (int i = 0; i <= steps; ++i) {
            const float a = (40 + 290 * float(i) / steps) * pi / 180;
            const Point p{s / 2 + s * 0.3f * std::cos(a), s / 2 + s * 0.3f * std::sin(a)};
            if (i) segs.push_back({prev, p});
            prev = p;
        }
        drawTubes(c, segs, s * 0.22f, snakeShading());
        c.sphere(prev.x, prev.y, s * 0.17f, snakeShading(1.1f));
    }
    return c.toImage();
}

std::vector<platform::Image> iconImages() {
    std::vector<platform::Image> out;
    for (int side : {96, 64, 48, 32, 24, 16})
        out.push_back(iconImage(side));
    return out;
}

} // namespace coilrun::assetgen
