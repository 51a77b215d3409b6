#include "tools/assetgen/canvas.h"

#include <algorithm>
#include <cmath>

namespace coilrun::assetgen {

namespace {

constexpr float pi = 3.14159265f;

float segmentDistance(float px, float py, Point a, Point b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

float roundRectDistance(float px, float py, float x, float y, float w, float h, float r) {
    const float cx = x + w / 2, cy = y + h / 2;
    const float qx = std::fabs(px - cx) - (w / 2 - r), qy = std::fabs(py - cy) - (h / 2 - r);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

} // namespace

Rgb shade(const Shading& s, float nx, float ny, float nz) {
    // Light from the upper left and in front; the eye looks along -z.
    const float lx = -0.45f, ly = -0.6f, lz = 0.66f;
    const float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
    // Blinn half-vector between light and eye (0, 0, 1).
    float hx = lx, hy = ly, hz = lz + 1;
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    hx /= hl, hy /= hl, hz /= hl;
    const float spec =
        std::pow(std::max(0.0f, nx * hx + ny * hy + nz * hz), s.shininess) * s.specular;
    const float k = s.ambient + (1 - s.ambient) * diffuse;
    // A faint rim from behind keeps the dark side from melting into black.
    const float rim = 0.18f * std::pow(1 - std::max(0.0f, nz), 3.0f) * std::max(0.0f, ny + 0.3f);
    return {std::min(1.0f, s.base.r * (k + rim) + spec),
            std::min(1.0f, s.base.g * (k + rim) + spec),
            std::min(1.0f, s.base.b * (k + rim) + spec)};
}

Canvas::Canvas(int w, int h, Rgb bg, float opacity) : w_(w), h_(h), px_(std::size_t(w) * h * 4) {
    for (std::size_t i = 0; i < px_.size(); i += 4) {
        px_[i] = bg.r * opacity;
        px_[i + 1] = bg.g * opacity;
        px_[i + 2] = bg.b * opacity;
        px_[i + 3] = opacity;
    }
}

void Canvas::blend(int x, int y, Rgb c, float a) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || a <= 0) return;
    a = std::min(a, 1.0f);
    float* p = &px_[(std::size_t(y) * w_ + x) * 4];
    p[0] = c.r * a + p[0] * (1 - a);
    p[1] = c.g * a + p[1] * (1 - a);
    p[2] = c.b * a + p[2] * (1 - a);
    p[3] = a + p[3] * (1 - a);
}

void Canvas::shape(float x0, float y0, float x1, float y1,
                   const std::function<float(float, float)>& distance,
                   const std::function<Rgb(float, float, float)>& colour, float opacity) {
    const int ix0 = std::max(0, int(std::floor(x0)) - 1),
              iy0 = std::max(0, int(std::floor(y0)) - 1);
    const int ix1 = std::min(w_, int(std::ceil(x1)) + 1),
              iy1 = std::min(h_, int(std::ceil(y1)) + 1);
    for (int y = iy0; y < iy1; ++y)
        for (int x = ix0; x < ix1; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float d = distance(px, py);
            const float cover = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (cover > 0) blend(x, y, colour(px, py, d), cover * opacity);
        }
}

void Canvas::fillRect(float x, float y, float w, float h, Rgb c, float opacity) {
    shape(
        x, y, x + w, y + h,
        [&](float px, float py) {
            return std::max({x - px, px - (x + w), y - py, py - (y + h)});
        },
        [&](float, float, float) { return c; }, opacity);
}

void Canvas::verticalGradient(float x, float y, float w, float h, Rgb top, Rgb bottom) {
    shape(
        x, y, x + w, y + h,
        [&](float px, float py) {
            return std::max({x - px, px - (x + w), y - py, py - (y + h)});
        },
        [&](float, float py, float) {
            return mix(top, bottom, std::clamp((py - y) / h, 0.0f, 1.0f));
        });
}

void Canvas::fillRoundRect(float x, float y, float w, float h, float r, Rgb c, float opacity) {
    shape(
        x, y, x + w, y + h,
        [&](float px, float py) { return roundRectDistance(px, py, x, y, w, h, r); },
        [&](float, float, float) { return c; }, opacity);
}

void Canvas::strokeRoundRect(float x, float y, float w, float h, float r, float width, Rgb c,
                             float opacity) {
    const float hw = width / 2;
    shape(
        x - hw, y - hw, x + w + hw, y + h + hw,
        [&](float px, float py) {
            return std::fabs(roundRectDistance(px, py, x, y, w, h, r)) - hw;
        },
        [&](float, float, float) { return c; }, opacity);
}

void Canvas::fillCircle(float cx, float cy, float r, Rgb c, float opacity) {
    shape(
        cx - r, cy - r, cx + r, cy + r,
        [&](float px, float py) { return std::hypot(px - cx, py - cy) - r; },
        [&](float, float, float) { return c; }, opacity);
}

void Canvas::ring(float cx, float cy, float r, float width, Rgb c, float opacity) {
    const float o = r + width / 2;
    shape(
        cx - o, cy - o, cx + o, cy + o,
        [&](float px, float py) { return std::fabs(std::hypot(px - cx, py - cy) - r) - width / 2; },
        [&](float, float, float) { return c; }, opacity);
}

void Canvas::arc(float cx, float cy, float r, float a0, float a1, float width, Rgb c,
                 float opacity) {
    std::vector<Point> pts;
    const int steps = std::max(8, int(std::fabs(a1 - a0) / 4));
    for (int i = 0; i <= steps; ++i) {
        const float a = (a0 + (a1 - a0) * float(i) / steps) * pi / 180;
        pts.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    polyline(pts, width, c, opacity);
}

void Canvas::line(Point a, Point b, float width, Rgb c, float opacity) {
    polyline({a, b}, width, c, opacity);
}

void Canvas::polyline(const std::vector<Point>& pts, float width, Rgb c, float opacity) {
    if (pts.empty()) return;
    float x0 = pts[0].x, y0 = pts[0].y, x1 = x0, y1 = y0;
    for (const Point& p : pts) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x),
        y1 = std::max(y1, p.y);
    }
    const float hw = width / 2;
    // One distance for the whole line, so joints are not covered twice.
    shape(
        x0 - hw, y0 - hw, x1 + hw, y1 + hw,
        [&](float px, float py) {
            float d = 1e9f;
            if (pts.size() == 1) return std::hypot(px - pts[0].x, py - pts[0].y) - hw;
            for (std::size_t i = 1; i < pts.size(); ++i)
                d = std::min(d, segmentDistance(px, py, pts[i - 1], pts[i]));
            return d - hw;
        },
        [&](float, float, float) { return c; }, opacity);
}

void Canvas::fillPolygon(const std::vector<Point>& pts, Rgb c, float opacity) {
    if (pts.size() < 3) return;
    float x0 = pts[0].x, y0 = pts[0].y, x1 = x0, y1 = y0;
    for (const Point& p : pts) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x),
        y1 = std::max(y1, p.y);
    }
    shape(
        x0, y0, x1, y1,
        [&](float px, float py) {
            float d = 1e9f;
            bool inside = false;
            for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                d = std::min(d, segmentDistance(px, py, pts[j], pts[i]));
                if ((pts[i].y > py) != (pts[j].y > py) &&
                    px < (pts[j].x - pts[i].x) * (py - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x)
                    inside = !inside;
            }
            return inside ? -d : d;
        },
        [&](float, float, float) { return c; }, opacity);
}

void Canvas::glow(float cx, float cy, float r, Rgb c, float strength) {
    for (int y = std::max(0, int(cy - r)); y < std::min(h_, int(cy + r) + 1); ++y)
        for (int x = std::max(0, int(cx - r)); x < std::min(w_, int(cx + r) + 1); ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
            if (d >= 1) continue;
            const float k = (1 - d) * (1 - d) * strength;
            // Glows add light, as they would on screen.
            float* p = &px_[(std::size_t(y) * w_ + x) * 4];
            p[0] = std::min(1.0f, p[0] + c.r * k);
            p[1] = std::min(1.0f, p[1] + c.g * k);
            p[2] = std::min(1.0f, p[2] + c.b * k);
            p[3] = std::min(1.0f, p[3] + k);
        }
}

void Canvas::sphere(float cx, float cy, float r, const Shading& s) {
    shape(
        cx - r, cy - r, cx + r, cy + r,
        [&](float px, float py) { return std::hypot(px - cx, py - cy) - r; },
        [&](float px, float py, float) {
            const float nx = (px - cx) / r, ny = (py - cy) / r;
            const float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
            return shade(s, nx, ny, nz);
        });
}

void Canvas::arrow(Point a, Point b, float width, float head, Rgb c, float opacity) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len = std::hypot(dx, dy);
    if (len <= 0) return;
    const float ux = dx / len, uy = dy / len;
    const Point base{b.x - ux * head, b.y - uy * head};
    line(a, {base.x + ux * 1.0f, base.y + uy * 1.0f}, width, c, opacity);
    fillPolygon({b,
                 {base.x - uy * head * 0.65f, base.y + ux * head * 0.65f},
                 {base.x + uy * head * 0.65f, base.y - ux * head * 0.65f}},
                c, opacity);
}

platform::Image Canvas::toImage() const {
    platform::Image img;
    img.width = w_;
    img.height = h_;
    img.pixels.resize(std::size_t(w_) * h_);
    for (std::size_t i = 0; i < img.pixels.size(); ++i) {
        const float* p = &px_[i * 4];
        const float a = p[3];
        auto channel = [&](float v) {
            const float straight = a > 0 ? v / a : 0;
            return std::uint32_t(std::lround(std::clamp(straight, 0.0f, 1.0f) * 255));
        };
        const auto alpha = std::uint32_t(std::lround(std::clamp(a, 0.0f, 1.0f) * 255));
        img.pixels[i] =
            (alpha << 24) | (channel(p[0]) << 16) | (channel(p[1]) << 8) | channel(p[2]);
    }
    return img;
}

} // namespace coilrun::assetgen
