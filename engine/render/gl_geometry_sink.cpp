#include "engine/render/gl_geometry_sink.h"

#include "engine/render/gl.h"

namespace coilrun::engine {

namespace {
GLenum glMode(PrimitiveType t) {
    switch (t) {
    case PrimitiveType::points:
        return GL_POINTS;
    case PrimitiveType::lines:
        return GL_LINES;
    case PrimitiveType::lineLoop:
        return GL_LINE_LOOP;
    case PrimitiveType::lineStrip:
        return GL_LINE_STRIP;
    case PrimitiveType::triangles:
        return GL_TRIANGLES;
    case PrimitiveType::triangleStrip:
        return GL_TRIANGLE_STRIP;
    case PrimitiveType::triangleFan:
        return GL_TRIANGLE_FAN;
    case PrimitiveType::quads:
        return GL_QUADS;
    case PrimitiveType::quadStrip:
        return GL_QUAD_STRIP;
    case PrimitiveType::polygon:
        return GL_POLYGON;
    }
    return GL_TRIANGLES;
}
} // namespace

GlGeometrySink::~GlGeometrySink() {
    if (quadric_) gluDeleteQuadric(quadric_);
}

void GlGeometrySink::begin(PrimitiveType type) {
    glBegin(glMode(type));
}
void GlGeometrySink::end() {
    glEnd();
}
void GlGeometrySink::normal(const Vec3& n) {
    glNormal3f(n.x, n.y, n.z);
}
void GlGeometrySink::texCoord(float s, float t) {
    glTexCoord2f(s, t);
}
void GlGeometrySink::color(const Vec4& c) {
    glColor4f(c.x, c.y, c.z, c.w);
}
void GlGeometrySink::vertex(const Vec3& p) {
    glVertex3f(p.x, p.y, p.z);
}
void GlGeometrySink::pushMatrix() {
    glPushMatrix();
}
void GlGeometrySink::popMatrix() {
    glPopMatrix();
}
void GlGeometrySink::translate(const Vec3& t) {
    glTranslatef(t.x, t.y, t.z);
}
void GlGeometrySink::rotate(float angleDeg, const Vec3& axis) {
    glRotatef(angleDeg, axis.x, axis.y, axis.z);
}

GLUquadric* GlGeometrySink::quadric(const QuadricStyle& style) {
    if (!quadric_) quadric_ = gluNewQuadric();
    if (!quadric_) return nullptr;
    gluQuadricDrawStyle(quadric_, GLU_FILL);
    gluQuadricNormals(quadric_, style.normals == QuadricNormals::smooth ? GLU_SMOOTH
                                : style.normals == QuadricNormals::flat ? GLU_FLAT
                                                                        : GLU_NONE);
    gluQuadricOrientation(quadric_, style.inside ? GLU_INSIDE : GLU_OUTSIDE);
    gluQuadricTexture(quadric_, style.texture ? GL_TRUE : GL_FALSE);
    return quadric_;
}

void GlGeometrySink::cylinder(const QuadricStyle& style, float baseRadius, float topRadius,
                              float height, int slices, int stacks) {
    if (GLUquadric* q = quadric(style))
        gluCylinder(q, baseRadius, topRadius, height, slices, stacks);
}

void GlGeometrySink::disk(const QuadricStyle& style, float innerRadius, float outerRadius,
                          int slices, int loops) {
    if (GLUquadric* q = quadric(style)) gluDisk(q, innerRadius, outerRadius, slices, loops);
}

void GlGeometrySink::beginUnlit() {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}

void GlGeometrySink::endUnlit() {
    glPopAttrib();
}

} // namespace coilrun::engine
