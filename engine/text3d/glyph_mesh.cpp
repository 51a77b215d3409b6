#include "engine/text3d/glyph_mesh.h"

#include "engine/render/gl.h"

#include <array>
#include <cmath>
#include <deque>

namespace coilrun::engine {
namespace {

using Point = std::pair<double, double>;
using Contour = std::vector<Point>;

struct TessState {
    std::deque<std::array<double, 3>> storage; // stable addresses for the tessellator
    std::vector<Vec3> triangles;
    bool failed = false;
};

void GLAPIENTRY onBegin(GLenum, void*) {}
void GLAPIENTRY onEnd(void*) {}
// Asking for edge flags makes the tessellator emit independent triangles only.
void GLAPIENTRY onEdgeFlag(GLboolean, void*) {}

void GLAPIENTRY onVertex(void* vertex, void* user) {
    const auto* v = static_cast<const double*>(vertex);
    static_cast<TessState*>(user)->triangles.emplace_back(float(v[0]), float(v[1]), 0.0f);
}

void GLAPIENTRY onCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* user) {
    auto* state = static_cast<TessState*>(user);
    state->storage.push_back({coords[0], coords[1], 0.0});
    *out = state->storage.back().data();
}

void GLAPIENTRY onError(GLenum, void* user) {
    static_cast<TessState*>(user)->failed = true;
}

template <class F> GluCallback callback(F f) {
    return reinterpret_cast<GluCallback>(f);
}

// Is p inside the ink by the odd rule over all contours?
bool insideInk(const std::vector<Contour>& contours, double px, double py) {
    bool inside = false;
    for (const Contour& c : contours) {
        const std::size_t n = c.size();
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const auto [xi, yi] = c[i];
            const auto [xj, yj] = c[j];
            if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                inside = !inside;
        }
    }
    return inside;
}

// Drops repeated points and a closing point equal to the first.
Contour cleaned(const Contour& c) {
    Contour out;
    for (const Point& p : c) {
        if (!out.empty() && std::abs(out.back().first - p.first) < 1e-9 &&
            std::abs(out.back().second - p.second) < 1e-9)
            continue;
        out.push_back(p);
    }
    while (out.size() > 1 && std::abs(out.front().first - out.back().first) < 1e-9 &&
           std::abs(out.front().second - out.back().second) < 1e-9)
        out.pop_back();
    return out;
}

// The walls of one contour. Adjacent edges meeting at a shallow angle share a normal so
// that curves look round; sharp corners keep the normals of their own faces.
void buildWalls(const Contour& c, bool inkOnRight, float depth, GlyphMesh& out) {
    const std::size_t n = c.size();
    std::vector<Vec3> edgeNormal(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = c[i];
        const Point& b = c[(i + 1) % n];
        const Vec3 right =
            normalized(Vec3{float(b.second - a.second), float(a.first - b.first), 0});
        edgeNormal[i] = inkOnRight ? -right : right;
    }
    const float smoothCos = std::cos(40.0f * kDegToRad);
    auto cornerNormal = [&](std::size_t vertex, std::size_t edge) {
        const std::size_t prev = (vertex + n - 1) % n;
        const Vec3& own = edgeNormal[edge];
        const Vec3& other = edgeNormal[edge == vertex ? prev : vertex];
        return dot(own, other) >= smoothCos ? normalized(own + other) : own;
    };
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1) % n;
        const Vec3 a{float(c[i].first), float(c[i].second), 0};
        const Vec3 b{float(c[j].first), float(c[j].second), 0};
        const Vec3 a2{a.x, a.y, -depth}, b2{b.x, b.y, -depth};
        const Vec3 na = cornerNormal(i, i), nb = cornerNormal(j, i);
        // Counter-clockwise as seen from outside: along the edge with the ink to the
        // viewer's right means front-top a, then the back, then b.
        const Vec3 quad[4] = {a, b, b2, a2};
        const Vec3 normals[4] = {na, nb, nb, na};
        const Vec3 faceNormal = cross(quad[1] - quad[0], quad[3] - quad[0]);
        const bool flip = dot(faceNormal, edgeNormal[i]) < 0;
        static constexpr int kOrder[6] = {0, 1, 2, 0, 2, 3};
        static constexpr int kFlipped[6] = {0, 2, 1, 0, 3, 2};
        for (int k : flip ? kFlipped : kOrder)
            out.vertices.push_back({quad[k], normals[k]});
    }
}

} // namespace

bool buildGlyphMesh(const platform::GlyphOutline& outline, float extrusion, GlyphMesh& out) {
    out.vertices.clear();
    std::vector<Contour> contours;
    for (const Contour& c : outline.contours) {
        Contour clean = cleaned(c);
        if (clean.size() >= 3) contours.push_back(std::move(clean));
    }
    if (contours.empty()) return true;

    TessState state;
    GLUtesselator* tess = gluNewTess();
    if (!tess) return false;
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, callback(onBegin));
    gluTessCallback(tess, GLU_TESS_END_DATA, callback(onEnd));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, callback(onVertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, callback(onCombine));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, callback(onEdgeFlag));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, callback(onError));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    // With the normal given, triangles come out counter-clockwise seen from +Z whatever
    // the direction in which the font runs its contours.
    gluTessNormal(tess, 0, 0, 1);
    gluTessBeginPolygon(tess, &state);
    for (const Contour& c : contours) {
        gluTessBeginContour(tess);
        for (const Point& p : c) {
            state.storage.push_back({p.first, p.second, 0.0});
            double* v = state.storage.back().data();
            gluTessVertex(tess, v, v);
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    if (state.failed || state.triangles.size() % 3 != 0) return false;

    const Vec3 front{0, 0, 1};
    for (const Vec3& p : state.triangles)
        out.vertices.push_back({p, front});
    if (extrusion <= 0) return true;

    const Vec3 back{0, 0, -1};
    for (std::size_t t = 0; t < state.triangles.size(); t += 3) {
        // Reversed, so that the back face is counter-clockwise seen from -Z.
        for (int k : {0, 2, 1}) {
            const Vec3& p = state.triangles[t + k];
            out.vertices.push_back({{p.x, p.y, -extrusion}, back});
        }
    }
    for (const Contour& c : contours) {
        // The side of the contour the ink lies on, probed next to its longest edge.
        std::size_t longest = 0;
        double best = -1;
        for (std::size_t i = 0; i < c.size(); ++i) {
            const Point& a = c[i];
            const Point& b = c[(i + 1) % c.size()];
            const double len = std::hypot(b.first - a.first, b.second - a.second);
            if (len > best) best = len, longest = i;
        }
        const Point& a = c[longest];
        const Point& b = c[(longest + 1) % c.size()];
        const double mx = (a.first + b.first) / 2, my = (a.second + b.second) / 2;
        const double eps = std::max(best * 1e-3, 1e-6);
        const double rx = (b.second - a.second) / best, ry = (a.first - b.first) / best;
        buildWalls(c, insideInk(contours, mx + rx * eps, my + ry * eps), extrusion, out);
    }
    return true;
}

} // namespace coilrun::engine
