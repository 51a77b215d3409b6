#pragma once
#include "engine/objects/vector_math.h"
#include "engine/platform/fonts.h"

#include <vector>

namespace coilrun::engine {

struct GlyphVertex {
    Vec3 position;
    Vec3 normal;
};

// A solid letter as plain triangles (every three vertices one, counter-clockwise seen
// from the side the normals point to), in em units.
struct GlyphMesh {
    std::vector<GlyphVertex> vertices;
    std::size_t triangleCount() const { return vertices.size() / 3; }
};

// Builds the letter of an outline: its face on the z = 0 plane facing +Z, filled by the
// odd winding rule; with an extrusion above 0 also the back face at z = -extrusion facing
// -Z and the walls between them facing away from the ink. Returns false when the
// tessellator rejects the outline (the mesh is then empty).
bool buildGlyphMesh(const platform::GlyphOutline& outline, float extrusion, GlyphMesh& out);

} // namespace coilrun::engine
