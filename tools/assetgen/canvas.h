#pragma once
#include "engine/platform/image.h"

#include <functional>
#include <string_view>
#include <vector>

// Anti-aliased drawing for the game's pictures. Shapes are described by their
// signed distance (pixels, negative inside); a pixel is covered by
// clamp(0.5 - distance), which gives one-pixel soft edges at every scale.
namespace coilrun::assetgen {

struct Rgb {
    float r = 0, g = 0, b = 0; // 0..1
};

inline Rgb rgb(int hex) {
    return {float((hex >> 16) & 0xff) / 255, float((hex >> 8) & 0xff) / 255,
            float(hex & 0xff) / 255};
}
inline Rgb mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb scale(Rgb a, float k) {
    return {a.r * k, a.g * k, a.b * k};
}

struct Point {
    float x = 0, y = 0;
};

// The light every shaded shape is lit by: from the upper left, in front.
struct Shading {
    Rgb base;
    float ambient = 0.25f;
    float specular = 0.7f;
    float shininess = 40;
};

class Canvas {
public:
    // A canvas of w x h filled with background at the given opacity.
    Canvas(int w, int h, Rgb background = {}, float opacity = 1);

    int width() const { return w_; }
    int height() const { return h_; }

    // Lays colour over the pixel with coverage a (0..1).
    void blend(int x, int y, Rgb colour, float a);

    // Covers the pixels of the box [x0, x1) x [y0, y1) where distance(x, y) < 0.5
    // with colour(x, y, distance) and the matching coverage.
    void shape(float x0, float y0, float x1, float y1,
               const std::function<float(float, float)>& distance,
               const std::function<Rgb(float, float, float)>& colour, float opacity = 1);

    void fillRect(float x, float y, float w, float h, Rgb c, float opacity = 1);
    void verticalGradient(float x, float y, float w, float h, Rgb top, Rgb bottom);
    void fillRoundRect(float x, float y, float w, float h, float radius, Rgb c, float opacity = 1);
    void strokeRoundRect(float x, float y, float w, float h, float radius, float width, Rgb c,
                         float opacity = 1);
    void fillCircle(float cx, float cy, float r, Rgb c, float opacity = 1);
    void ring(float cx, float cy, float r, float width, Rgb c, float opacity = 1);
    // An arc of a ring from angle a0 to a1 (degrees, 0 = right, 90 = down), round caps.
    void arc(float cx, float cy, float r, float a0, float a1, float width, Rgb c,
             float opacity = 1);
    void line(Point a, Point b, float width, Rgb c, float opacity = 1);
    void polyline(const std::vector<Point>& points, float width, Rgb c, float opacity = 1);
    void fillPolygon(const std::vector<Point>& points, Rgb c, float opacity = 1);
    // A soft round glow: colour fading out with distance from the centre.
    void glow(float cx, float cy, float r, Rgb c, float strength = 1);
    // A lit, glossy sphere.
    void sphere(float cx, float cy, float r, const Shading& s);
    // An arrow from a to b with a triangular head.
    void arrow(Point a, Point b, float width, float head, Rgb c, float opacity = 1);

    platform::Image toImage() const;

private:
    int w_, h_;
    std::vector<float> px_; // premultiplied r, g, b, a
};

// Lighting of a surface point whose normal is (nx, ny, nz), view along -z.
Rgb shade(const Shading& s, float nx, float ny, float nz);

} // namespace coilrun::assetgen
