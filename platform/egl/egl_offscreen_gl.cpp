#include "platform/egl/egl_offscreen_gl.h"

#include "engine/render/gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/glext.h>
#include <cstring>

namespace coilrun::egl {
namespace {

// The framebuffer calls are not in GL 1.x: core in 3.0, an extension before.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    template <class F> static void load(F& f, const char* name, const char* extName) {
        f = reinterpret_cast<F>(eglGetProcAddress(name));
        if (!f) f = reinterpret_cast<F>(eglGetProcAddress(extName));
    }
    bool loaded() {
        if (genFramebuffers) return true;
        load(genFramebuffers, "glGenFramebuffers", "glGenFramebuffersEXT");
        load(deleteFramebuffers, "glDeleteFramebuffers", "glDeleteFramebuffersEXT");
        load(bindFramebuffer, "glBindFramebuffer", "glBindFramebufferEXT");
        load(genRenderbuffers, "glGenRenderbuffers", "glGenRenderbuffersEXT");
        load(deleteRenderbuffers, "glDeleteRenderbuffers", "glDeleteRenderbuffersEXT");
        load(bindRenderbuffer, "glBindRenderbuffer", "glBindRenderbufferEXT");
        load(renderbufferStorage, "glRenderbufferStorage", "glRenderbufferStorageEXT");
        load(framebufferRenderbuffer, "glFramebufferRenderbuffer", "glFramebufferRenderbufferEXT");
        load(checkFramebufferStatus, "glCheckFramebufferStatus", "glCheckFramebufferStatusEXT");
        return genFramebuffers && deleteFramebuffers && bindFramebuffer && genRenderbuffers &&
               deleteRenderbuffers && bindRenderbuffer && renderbufferStorage &&
               framebufferRenderbuffer && checkFramebufferStatus;
    }
};

FramebufferCalls fb;

bool hasExtension(const char* list, const char* name) {
    if (!list) return false;
    const std::size_t n = std::strlen(name);
    for (const char* p = std::strstr(list, name); p; p = std::strstr(p + n, name))
        if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == '\0')) return true;
    return false;
}

EGLDisplay openDisplay(std::string& how) {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay && hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        EGLDisplay d =
            getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (d != EGL_NO_DISPLAY && eglInitialize(d, nullptr, nullptr)) {
            how = "EGL, surfaceless platform";
            return d;
        }
    }
    EGLDisplay d = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (d != EGL_NO_DISPLAY && eglInitialize(d, nullptr, nullptr)) {
        how = "EGL, default display";
        return d;
    }
    return EGL_NO_DISPLAY;
}

} // namespace

EglOffscreenGl::EglOffscreenGl() {
    std::string how;
    EGLDisplay display = openDisplay(how);
    if (display == EGL_NO_DISPLAY) return;
    display_ = display;
    if (!eglBindAPI(EGL_OPENGL_API)) return;

    // The framebuffer object holds colour and depth; the config only has to make a
    // desktop GL context (and a pixel buffer, where a context cannot go without one).
    const EGLint withPbuffer[] = {EGL_SURFACE_TYPE,
                                  EGL_PBUFFER_BIT,
                                  EGL_RENDERABLE_TYPE,
                                  EGL_OPENGL_BIT,
                                  EGL_RED_SIZE,
                                  8,
                                  EGL_GREEN_SIZE,
                                  8,
                                  EGL_BLUE_SIZE,
                                  8,
                                  EGL_NONE};
    const EGLint anySurface[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint found = 0;
    bool pbufferConfig = eglChooseConfig(display, withPbuffer, &config, 1, &found) && found > 0;
    if (!pbufferConfig && !(eglChooseConfig(display, anySurface, &config, 1, &found) && found > 0))
        return;
    // A compatibility context: the engine draws fixed-function GL.
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) return;

    EGLSurface surface = EGL_NO_SURFACE;
    const bool surfaceless =
        hasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context");
    if (!surfaceless && pbufferConfig) {
        const EGLint size[] = {EGL_WIDTH, 16, EGL_HEIGHT, 16, EGL_NONE};
        surface = eglCreatePbufferSurface(display, config, size);
    }
    if (!eglMakeCurrent(display, surface, surface, context) || !fb.loaded()) {
        if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
        eglDestroyContext(display, context);
        return;
    }
    context_ = context;
    surface_ = surface;
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    description_ = how + (surface == EGL_NO_SURFACE ? ", no surface" : ", pixel buffer") + ": " +
                   (renderer ? renderer : "?") + ", OpenGL " + (version ? version : "?");
}

EglOffscreenGl::~EglOffscreenGl() {
    if (!display_) return;
    if (context_ && makeCurrent()) freeFramebuffer();
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (surface_) eglDestroySurface(display_, surface_);
    if (context_) eglDestroyContext(display_, context_);
    eglTerminate(display_);
}

bool EglOffscreenGl::makeCurrent() {
    return context_ && eglMakeCurrent(display_, surface_, surface_, context_);
}

void EglOffscreenGl::freeFramebuffer() {
    if (framebuffer_) fb.deleteFramebuffers(1, &framebuffer_);
    if (colour_) fb.deleteRenderbuffers(1, &colour_);
    if (depth_) fb.deleteRenderbuffers(1, &depth_);
    framebuffer_ = colour_ = depth_ = 0;
    width_ = height_ = 0;
}

bool EglOffscreenGl::bindFramebuffer(int width, int height) {
    if (width <= 0 || height <= 0 || !makeCurrent()) return false;
    if (!framebuffer_ || width != width_ || height != height_) {
        freeFramebuffer();
        fb.genFramebuffers(1, &framebuffer_);
        fb.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        fb.genRenderbuffers(1, &colour_);
        fb.bindRenderbuffer(GL_RENDERBUFFER, colour_);
        fb.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        fb.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
        // The game window's buffers: 24 bits of depth packed with 8 of stencil, or
        // depth alone where a driver has no packed format.
        auto attachDepth = [&](GLenum format, bool stencil) {
            if (depth_) fb.deleteRenderbuffers(1, &depth_);
            fb.genRenderbuffers(1, &depth_);
            fb.bindRenderbuffer(GL_RENDERBUFFER, depth_);
            fb.renderbufferStorage(GL_RENDERBUFFER, format, width, height);
            fb.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                       depth_);
            fb.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                       stencil ? depth_ : 0);
        };
        attachDepth(GL_DEPTH24_STENCIL8, true);
        if (fb.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
            attachDepth(GL_DEPTH_COMPONENT24, false);
        width_ = width;
        height_ = height;
        if (fb.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            freeFramebuffer();
            return false;
        }
    }
    fb.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    return true;
}

void EglOffscreenGl::finish() {
    if (context_) glFinish();
}

platform::Image EglOffscreenGl::readPixels() {
    if (!framebuffer_) return {};
    platform::Image out{width_, height_,
                        std::vector<std::uint32_t>(std::size_t(width_) * std::size_t(height_))};
    std::vector<std::uint32_t> rows(out.pixels.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    // BGRA bytes are 0xAARRGGBB words on a little-endian machine; GL's rows run bottom-up.
    glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
    for (int y = 0; y < height_; ++y)
        std::memcpy(&out.pixels[std::size_t(y) * std::size_t(width_)],
                    &rows[std::size_t(height_ - 1 - y) * std::size_t(width_)],
                    std::size_t(width_) * 4);
    return out;
}

platform::Image EglOffscreenGl::render(int width, int height,
                                       const std::function<void(int, int)>& paint) {
    if (!bindFramebuffer(width, height)) return {};
    paint(width, height);
    finish();
    return readPixels();
}

} // namespace coilrun::egl
