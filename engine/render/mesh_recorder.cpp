#include "engine/render/mesh_recorder.h"

namespace coilrun::engine {

void MeshRecorder::begin(PrimitiveType type) {
    if (open_) ++unbalanced;
    open_ = true;
    primitives.push_back({type, {}, unlitDepth_ > 0});
}

void MeshRecorder::end() {
    if (!open_) ++unbalanced;
    open_ = false;
}

void MeshRecorder::vertex(const Vec3& p) {
    if (!open_) {
        ++unbalanced;
        return;
    }
    Vertex v;
    v.position = current_.transformPoint(p);
    v.normal = normalized(current_.transformVector(normal_));
    v.hasNormal = hasNormal_;
    v.s = s_;
    v.t = t_;
    v.color = color_;
    primitives.back().vertices.push_back(v);
}

void MeshRecorder::popMatrix() {
    if (stack_.empty()) {
        ++unbalanced;
        return;
    }
    current_ = stack_.back();
    stack_.pop_back();
}

void MeshRecorder::cylinder(const QuadricStyle& style, float baseRadius, float topRadius,
                            float height, int slices, int stacks) {
    quadrics.push_back({false, style, baseRadius, topRadius, height, slices, stacks, current_});
}

void MeshRecorder::disk(const QuadricStyle& style, float innerRadius, float outerRadius, int slices,
                        int loops) {
    quadrics.push_back({true, style, innerRadius, outerRadius, 0, slices, loops, current_});
}

void MeshRecorder::endUnlit() {
    if (unlitDepth_ == 0)
        ++unbalanced;
    else
        --unlitDepth_;
}

std::vector<MeshRecorder::Triangle> MeshRecorder::triangles() const {
    std::vector<Triangle> out;
    for (const Primitive& p : primitives) {
        const auto& v = p.vertices;
        const std::size_t n = v.size();
        switch (p.type) {
        case PrimitiveType::triangles:
            for (std::size_t i = 0; i + 2 < n; i += 3)
                out.push_back({v[i], v[i + 1], v[i + 2]});
            break;
        case PrimitiveType::triangleStrip:
            // Every other triangle of a strip is wound the other way round.
            for (std::size_t i = 0; i + 2 < n; ++i)
                out.push_back(i % 2 == 0 ? Triangle{v[i], v[i + 1], v[i + 2]}
                                         : Triangle{v[i + 1], v[i], v[i + 2]});
            break;
        case PrimitiveType::triangleFan:
        case PrimitiveType::polygon:
            for (std::size_t i = 1; i + 1 < n; ++i)
                out.push_back({v[0], v[i], v[i + 1]});
            break;
        case PrimitiveType::quads:
            for (std::size_t i = 0; i + 3 < n; i += 4) {
                out.push_back({v[i], v[i + 1], v[i + 2]});
                out.push_back({v[i], v[i + 2], v[i + 3]});
            }
            break;
        case PrimitiveType::quadStrip:
            for (std::size_t i = 0; i + 3 < n; i += 2) {
                out.push_back({v[i], v[i + 1], v[i + 3]});
                out.push_back({v[i], v[i + 3], v[i + 2]});
            }
            break;
        default:
            break;
        }
    }
    return out;
}

std::size_t MeshRecorder::vertexCount() const {
    std::size_t n = 0;
    for (const Primitive& p : primitives)
        n += p.vertices.size();
    return n;
}

std::size_t MeshRecorder::countOf(PrimitiveType type) const {
    std::size_t n = 0;
    for (const Primitive& p : primitives)
        n += p.type == type;
    return n;
}

} // namespace coilrun::engine
