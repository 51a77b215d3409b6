#include "bench/frame/gl_call_counter.h"

#include "engine/render/gl.h"

#include <cstring>
#include <dlfcn.h>

namespace coilrun::bench {

GlCallCount& glCalls() {
    static GlCallCount count;
    return count;
}

} // namespace coilrun::bench

namespace {

// The system's entry point of that name (the next definition after this executable's).
template <class F> F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void note(const char* name) {
    auto& c = coilrun::bench::glCalls();
    ++c.calls;
    if (!std::strcmp(name, "glBegin")) ++c.batches;
    if (!std::strncmp(name, "glCallList", 10)) ++c.listCalls;
}

} // namespace

// Each entry point: counted, then passed on.
#define COUNTED(ret, name, params, args)                                                           \
    ret GLAPIENTRY name params {                                                                   \
        note(#name);                                                                               \
        static const auto next = real<ret(GLAPIENTRY*) params>(#name);                             \
        return next args;                                                                          \
    }

// Every GL call of the engine, the game and this benchmark; one missing here is
// simply not counted.
extern "C" {
COUNTED(void, glAlphaFunc, (GLenum a, GLclampf b), (a, b))
COUNTED(void, glBegin, (GLenum a), (a))
COUNTED(void, glBindTexture, (GLenum a, GLuint b), (a, b))
COUNTED(void, glBlendFunc, (GLenum a, GLenum b), (a, b))
COUNTED(void, glCallList, (GLuint a), (a))
COUNTED(void, glCallLists, (GLsizei a, GLenum b, const GLvoid* c), (a, b, c))
COUNTED(void, glClear, (GLbitfield a), (a))
COUNTED(void, glClearColor, (GLclampf a, GLclampf b, GLclampf c, GLclampf d), (a, b, c, d))
COUNTED(void, glColor4f, (GLfloat a, GLfloat b, GLfloat c, GLfloat d), (a, b, c, d))
COUNTED(void, glColor4fv, (const GLfloat* a), (a))
COUNTED(void, glColorMask, (GLboolean a, GLboolean b, GLboolean c, GLboolean d), (a, b, c, d))
COUNTED(void, glCullFace, (GLenum a), (a))
COUNTED(void, glDeleteLists, (GLuint a, GLsizei b), (a, b))
COUNTED(void, glDeleteTextures, (GLsizei a, const GLuint* b), (a, b))
COUNTED(void, glDepthFunc, (GLenum a), (a))
COUNTED(void, glDepthMask, (GLboolean a), (a))
COUNTED(void, glDisable, (GLenum a), (a))
COUNTED(void, glEnable, (GLenum a), (a))
COUNTED(void, glEnd, (), ())
COUNTED(void, glEndList, (), ())
COUNTED(void, glFogf, (GLenum a, GLfloat b), (a, b))
COUNTED(void, glFogfv, (GLenum a, const GLfloat* b), (a, b))
COUNTED(void, glFogi, (GLenum a, GLint b), (a, b))
COUNTED(void, glFrontFace, (GLenum a), (a))
COUNTED(GLuint, glGenLists, (GLsizei a), (a))
COUNTED(void, glGenTextures, (GLsizei a, GLuint* b), (a, b))
COUNTED(void, glGetFloatv, (GLenum a, GLfloat* b), (a, b))
COUNTED(void, glGetIntegerv, (GLenum a, GLint* b), (a, b))
COUNTED(const GLubyte*, glGetString, (GLenum a), (a))
COUNTED(GLboolean, glIsTexture, (GLuint a), (a))
COUNTED(void, glLightModelfv, (GLenum a, const GLfloat* b), (a, b))
COUNTED(void, glLightf, (GLenum a, GLenum b, GLfloat c), (a, b, c))
COUNTED(void, glLightfv, (GLenum a, GLenum b, const GLfloat* c), (a, b, c))
COUNTED(void, glListBase, (GLuint a), (a))
COUNTED(void, glLoadIdentity, (), ())
COUNTED(void, glLoadMatrixf, (const GLfloat* a), (a))
COUNTED(void, glMaterialf, (GLenum a, GLenum b, GLfloat c), (a, b, c))
COUNTED(void, glMaterialfv, (GLenum a, GLenum b, const GLfloat* c), (a, b, c))
COUNTED(void, glMateriali, (GLenum a, GLenum b, GLint c), (a, b, c))
COUNTED(void, glMatrixMode, (GLenum a), (a))
COUNTED(void, glMultMatrixf, (const GLfloat* a), (a))
COUNTED(void, glNewList, (GLuint a, GLenum b), (a, b))
COUNTED(void, glNormal3f, (GLfloat a, GLfloat b, GLfloat c), (a, b, c))
COUNTED(void, glOrtho, (GLdouble a, GLdouble b, GLdouble c, GLdouble d, GLdouble e, GLdouble f),
        (a, b, c, d, e, f))
COUNTED(void, glPixelStorei, (GLenum a, GLint b), (a, b))
COUNTED(void, glPolygonMode, (GLenum a, GLenum b), (a, b))
COUNTED(void, glPopAttrib, (), ())
COUNTED(void, glPopMatrix, (), ())
COUNTED(void, glPushAttrib, (GLbitfield a), (a))
COUNTED(void, glPushMatrix, (), ())
COUNTED(void, glRotatef, (GLfloat a, GLfloat b, GLfloat c, GLfloat d), (a, b, c, d))
COUNTED(void, glScalef, (GLfloat a, GLfloat b, GLfloat c), (a, b, c))
COUNTED(void, glShadeModel, (GLenum a), (a))
COUNTED(void, glTexCoord2f, (GLfloat a, GLfloat b), (a, b))
COUNTED(void, glTexEnvi, (GLenum a, GLenum b, GLint c), (a, b, c))
COUNTED(void, glTexImage2D,
        (GLenum a, GLint b, GLint c, GLsizei d, GLsizei e, GLint f, GLenum g, GLenum h,
         const GLvoid* i),
        (a, b, c, d, e, f, g, h, i))
COUNTED(void, glTexParameteri, (GLenum a, GLenum b, GLint c), (a, b, c))
COUNTED(void, glTranslatef, (GLfloat a, GLfloat b, GLfloat c), (a, b, c))
COUNTED(void, glVertex2f, (GLfloat a, GLfloat b), (a, b))
COUNTED(void, glVertex2i, (GLint a, GLint b), (a, b))
COUNTED(void, glVertex3f, (GLfloat a, GLfloat b, GLfloat c), (a, b, c))
COUNTED(void, glViewport, (GLint a, GLint b, GLsizei c, GLsizei d), (a, b, c, d))
} // extern "C"
