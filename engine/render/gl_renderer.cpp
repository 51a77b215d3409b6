#include "engine/render/gl_renderer.h"

#include "engine/objects/light_source.h"
#include "engine/objects/material_library.h"
#include "engine/objects/scene.h"
#include "engine/render/gl.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace coilrun::engine {

namespace {
GLenum blendFactor(TGLBlendFunction f) {
    switch (f) {
    case TGLBlendFunction::bfZero:
        return GL_ZERO;
    case TGLBlendFunction::bfOne:
        return GL_ONE;
    case TGLBlendFunction::bfSrcColor:
        return GL_SRC_COLOR;
    case TGLBlendFunction::bfOneMinusSrcColor:
        return GL_ONE_MINUS_SRC_COLOR;
    case TGLBlendFunction::bfDstColor:
        return GL_DST_COLOR;
    case TGLBlendFunction::bfOneMinusDstColor:
        return GL_ONE_MINUS_DST_COLOR;
    case TGLBlendFunction::bfSrcAlpha:
        return GL_SRC_ALPHA;
    case TGLBlendFunction::bfOneMinusSrcAlpha:
        return GL_ONE_MINUS_SRC_ALPHA;
    case TGLBlendFunction::bfDstAlpha:
        return GL_DST_ALPHA;
    case TGLBlendFunction::bfOneMinusDstAlpha:
        return GL_ONE_MINUS_DST_ALPHA;
    case TGLBlendFunction::bfSrcAlphaSat:
        return GL_SRC_ALPHA_SATURATE;
    }
    return GL_ONE;
}

GLenum alphaFunc(TGLAlphaFunc f) {
    switch (f) {
    case TGLAlphaFunc::cfNever:
        return GL_NEVER;
    case TGLAlphaFunc::cfLess:
        return GL_LESS;
    case TGLAlphaFunc::cfEqual:
        return GL_EQUAL;
    case TGLAlphaFunc::cfLEqual:
        return GL_LEQUAL;
    case TGLAlphaFunc::cfGreater:
        return GL_GREATER;
    case TGLAlphaFunc::cfNotEqual:
        return GL_NOTEQUAL;
    case TGLAlphaFunc::cfGEqual:
        return GL_GEQUAL;
    case TGLAlphaFunc::cfAlways:
        return GL_ALWAYS;
    }
    return GL_ALWAYS;
}

int nextPowerOfTwo(int v) {
    int p = 1;
    while (p < v)
        p <<= 1;
    return p;
}

void collectLights(const TGLBaseSceneObject& o, std::vector<const TGLLightSource*>& out) {
    for (const auto& c : o.children()) {
        if (const auto* l = dynamic_cast<const TGLLightSource*>(c.get()); l && l->shining())
            out.push_back(l);
        collectLights(*c, out);
    }
}
} // namespace

void GlRenderer::checkCapabilities() {
    if (capabilitiesKnown_) return;
    capabilitiesKnown_ = true;
    GLint n = 8;
    glGetIntegerv(GL_MAX_LIGHTS, &n);
    maxLights_ = std::max(1, int(n));
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    // Version 2.0 made non-power-of-two sizes core; older ones need the extension.
    npotTextures_ = (version && version[0] >= '2' && version[0] <= '9') ||
                    (ext && std::strstr(ext, "GL_ARB_texture_non_power_of_two"));
}

void GlRenderer::renderFrame(TGLScene& scene, const TGLCamera* camera,
                             const platform::FrameSize& size, const FrameSettings& settings) {
    const int width = size.width, height = size.height;
    if (width <= 0 || height <= 0 || size.deviceWidth <= 0 || size.deviceHeight <= 0) return;
    checkCapabilities();
    objects_.collect();
    settings_ = settings;
    const TGLCamera& cam = camera ? *camera : defaultCamera_;
    if (observer_) observer_->frameBegins();
    // Whatever drew in the context since the last frame may have changed anything.
    state_.forget();

    glViewport(0, 0, size.deviceWidth, size.deviceHeight);
    const Vec4& bg = settings.backgroundColor;
    glClearColor(bg.x, bg.y, bg.z, bg.w);
    state_.depthMask(true);
    // Nothing draws with the stencil, but a packed depth-stencil buffer (the window's
    // 24 + 8 bits) cleared whole is filled by plain stores; its depth alone is a
    // read-modify-write of every pixel, the costliest part of a software GL's frame.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(cam.projectionMatrix(width, height, settings.dpi).data());
    glMatrixMode(GL_MODELVIEW);
    const Mat4 view = cam.viewMatrix();
    glLoadMatrixf(view.data());

    state_.enable(GL_DEPTH_TEST, true);
    glDepthFunc(GL_LESS);
    depthTest_ = true;
    // Objects are scaled freely (connectors are stretched 5:1): keep normals unit.
    glEnable(GL_NORMALIZE);
    glShadeModel(GL_SMOOTH);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    state_.enable(GL_CULL_FACE, settings.faceCulling);
    state_.enable(GL_LIGHTING, settings.lighting);
    state_.enable(GL_COLOR_MATERIAL, false);
    state_.enable(GL_BLEND, false);
    state_.enable(GL_ALPHA_TEST, false);
    state_.enable(GL_TEXTURE_2D, false);
    state_.polygonMode(GL_FILL);
    const GLfloat globalAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, globalAmbient);
    if (settings.fogEnable) {
        glFogi(GL_FOG_MODE, GL_LINEAR);
        glFogfv(GL_FOG_COLOR, &settings.fogColor.x);
        glFogf(GL_FOG_START, settings.fogStart);
        glFogf(GL_FOG_END, settings.fogEnd);
    }
    state_.enable(GL_FOG, false);
    setupLights(scene);

    RenderContext ctx(*this);
    ctx.viewportWidth = width;
    ctx.viewportHeight = height;
    ctx.dpi = settings.dpi;
    ctx.camera = &cam;
    ctx.cameraPosition = cam.absolutePosition();
    ctx.viewMatrix = view;
    ctx.observer = observer_;
    ctx.renderScene(scene.objects());
    if (observer_) observer_->frameEnds();
}

void GlRenderer::setupLights(TGLScene& scene) {
    std::vector<const TGLLightSource*> lights;
    collectLights(scene.objects(), lights);
    // Beyond the GL's limit (8 at least) the later lights in tree order stay dark.
    const int n = std::min(int(lights.size()), maxLights_);
    for (int i = 0; i < n; ++i) {
        const TGLLightSource& l = *lights[std::size_t(i)];
        const GLenum id = GLenum(GL_LIGHT0 + i);
        const Mat4& abs = l.absoluteMatrix();
        glEnable(id);
        if (l.lightStyle() == TGLLightStyle::lsParallel) {
            // GL wants the direction the light comes from.
            const Vec3 d = -normalized(abs.transformVector(l.spotDirection().asAffine()));
            const GLfloat pos[4] = {d.x, d.y, d.z, 0};
            glLightfv(id, GL_POSITION, pos);
        } else {
            const Vec3 p = abs.row3(3);
            const GLfloat pos[4] = {p.x, p.y, p.z, 1};
            glLightfv(id, GL_POSITION, pos);
        }
        glLightfv(id, GL_AMBIENT, l.ambient().data());
        glLightfv(id, GL_DIFFUSE, l.diffuse().data());
        glLightfv(id, GL_SPECULAR, l.specular().data());
        glLightf(id, GL_CONSTANT_ATTENUATION, l.constAttenuation());
        glLightf(id, GL_LINEAR_ATTENUATION, l.linearAttenuation());
        glLightf(id, GL_QUADRATIC_ATTENUATION, l.quadraticAttenuation());
        if (l.lightStyle() == TGLLightStyle::lsSpot && l.spotCutOff() != 180) {
            const Vec3 d = normalized(abs.transformVector(l.spotDirection().asAffine()));
            const GLfloat dir[3] = {d.x, d.y, d.z};
            glLightfv(id, GL_SPOT_DIRECTION, dir);
            glLightf(id, GL_SPOT_CUTOFF, l.spotCutOff());
            glLightf(id, GL_SPOT_EXPONENT, l.spotExponent());
        } else {
            glLightf(id, GL_SPOT_CUTOFF, 180);
            glLightf(id, GL_SPOT_EXPONENT, 0);
        }
    }
    for (int i = n; i < std::max(lightsInUse_, n); ++i)
        glDisable(GLenum(GL_LIGHT0 + i));
    // Light 0 is on by default in some drivers' fresh contexts; be explicit.
    if (n == 0) glDisable(GL_LIGHT0);
    lightsInUse_ = n;
}

void GlRenderer::releaseGl() {
    objects_.release();
    forgetGl();
}

void GlRenderer::forgetGl() {
    objects_.forget();
    lightsInUse_ = 0;
    capabilitiesKnown_ = false;
}

void GlRenderer::pushMatrix() {
    glPushMatrix();
}
void GlRenderer::popMatrix() {
    glPopMatrix();
}
void GlRenderer::multMatrix(const Mat4& m) {
    glMultMatrixf(m.data());
}
void GlRenderer::loadMatrix(const Mat4& m) {
    glLoadMatrixf(m.data());
}
void GlRenderer::translate(const Vec3& t) {
    glTranslatef(t.x, t.y, t.z);
}

void GlRenderer::setDepthTest(bool on) {
    depthTest_ = on;
    state_.enable(GL_DEPTH_TEST, on);
}

void GlRenderer::drawObject(TGLBaseSceneObject& object) {
    const TGLMaterial* material = object.renderMaterial();
    if (material) applyMaterial(*material);
    if (object.cachesGeometry()) {
        const GlObjectOwner& owner = object.glObjectOwner();
        GlObjects::Entry* list = objects_.find(owner);
        if (!list || list->version != object.structureVersion()) {
            if (!list) list = objects_.makeLists(owner, 0, 1);
            if (list) {
                glNewList(list->name, GL_COMPILE);
                object.buildList(sink_);
                glEndList();
                list->version = object.structureVersion();
                ++listsCompiled_;
            }
        }
        if (list)
            glCallList(list->name);
        else
            object.buildList(sink_);
    } else {
        object.buildList(sink_);
    }
    if (material) releaseMaterial(*material);
}

void GlRenderer::drawAxes(float length) {
    sink_.beginUnlit();
    sink_.begin(PrimitiveType::lines);
    const Vec3 axes[3] = {{length, 0, 0}, {0, length, 0}, {0, 0, length}};
    for (int i = 0; i < 3; ++i) {
        sink_.color({i == 0 ? 1.0f : 0, i == 1 ? 1.0f : 0, i == 2 ? 1.0f : 0, 1});
        sink_.vertex({0, 0, 0});
        sink_.vertex(axes[i]);
    }
    sink_.end();
    sink_.endUnlit();
}

bool GlRenderer::bindTexture(const TGLTexture& texture) {
    GlObjects::Entry* entry = objects_.find(texture.glObjectOwner());
    if (entry && entry->version == texture.version()) {
        glBindTexture(GL_TEXTURE_2D, entry->name);
        return true;
    }
    if (!entry) entry = objects_.makeTexture(texture.glObjectOwner());
    if (!entry) return false;
    glBindTexture(GL_TEXTURE_2D, entry->name);
    const platform::Image& img = texture.image();
    if (img.empty()) return false;
    // 0xAARRGGBB rows top-down -> RGBA bytes bottom-up, so that t = 0 is the
    // bottom of the picture as every shape's texture coordinates assume.
    std::vector<unsigned char> rgba(std::size_t(img.width) * std::size_t(img.height) * 4);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const std::uint32_t p = img.at(x, img.height - 1 - y);
            unsigned char* d =
                &rgba[(std::size_t(y) * std::size_t(img.width) + std::size_t(x)) * 4];
            d[0] = (unsigned char)platform::red(p);
            d[1] = (unsigned char)platform::green(p);
            d[2] = (unsigned char)platform::blue(p);
            d[3] = (unsigned char)platform::alpha(p);
        }
    int w = img.width, h = img.height;
    if (!npotTextures_ && (nextPowerOfTwo(w) != w || nextPowerOfTwo(h) != h)) {
        // Old GL: resample to a power of two so that the whole picture still shows.
        const int pw = nextPowerOfTwo(w), ph = nextPowerOfTwo(h);
        std::vector<unsigned char> scaled(std::size_t(pw) * std::size_t(ph) * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gluScaleImage(GL_RGBA, w, h, GL_UNSIGNED_BYTE, rgba.data(), pw, ph, GL_UNSIGNED_BYTE,
                      scaled.data());
        rgba.swap(scaled);
        w = pw;
        h = ph;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    const GLint filter = texture.filter() == TGLTextureFilter::tfNearest ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    const TGLTextureWrap wrap = texture.textureWrap();
    const bool wrapS = wrap == TGLTextureWrap::twBoth || wrap == TGLTextureWrap::twHorizontal;
    const bool wrapT = wrap == TGLTextureWrap::twBoth || wrap == TGLTextureWrap::twVertical;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS ? GL_REPEAT : GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT ? GL_REPEAT : GL_CLAMP);
    entry->version = texture.version();
    texture.releaseImage();
    return true;
}

void GlRenderer::applyMaterial(const TGLMaterial& material) {
    const TGLMaterial& m = material.effective();
    const TGLLibMaterial* lib = material.resolvedLibMaterial();
    const TGLFaceProperties& front = m.frontProperties();

    state_.enable(GL_COLOR_MATERIAL, false);
    const GLenum polygon = m.polygonMode() == TGLPolygonMode::pmLines    ? GL_LINE
                           : m.polygonMode() == TGLPolygonMode::pmPoints ? GL_POINT
                                                                         : GL_FILL;
    state_.polygonMode(polygon);

    // Pixel space has no lights (their positions mean nothing there).
    if (m.materialOptions().moNoLighting || !settings_.lighting || pixelSpace_) {
        state_.enable(GL_LIGHTING, false);
        glColor4fv(front.diffuse().data());
    } else {
        state_.enable(GL_LIGHTING, true);
        state_.material(GL_FRONT, front);
        state_.material(GL_BACK, m.backPropertiesIfAny() ? *m.backPropertiesIfAny() : front);
        glColor4fv(front.diffuse().data());
    }

    // Pixel space flips y, and with it every winding: no culling there.
    switch (m.faceCulling()) {
    case TGLFaceCulling::fcBufferDefault:
        state_.enable(GL_CULL_FACE, settings_.faceCulling && !pixelSpace_);
        break;
    case TGLFaceCulling::fcCull:
        state_.enable(GL_CULL_FACE, !pixelSpace_);
        break;
    case TGLFaceCulling::fcNoCull:
        state_.enable(GL_CULL_FACE, false);
        break;
    }

    switch (m.blendingMode()) {
    case TGLBlendingMode::bmOpaque:
        state_.enable(GL_BLEND, false);
        state_.enable(GL_ALPHA_TEST, false);
        break;
    case TGLBlendingMode::bmTransparency:
        state_.enable(GL_BLEND, true);
        state_.blendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        state_.enable(GL_ALPHA_TEST, true);
        state_.alphaFunc(GL_GREATER, 0);
        break;
    case TGLBlendingMode::bmAdditive:
        state_.enable(GL_BLEND, true);
        state_.blendFunc(GL_SRC_ALPHA, GL_ONE);
        state_.enable(GL_ALPHA_TEST, true);
        state_.alphaFunc(GL_GREATER, 0);
        break;
    case TGLBlendingMode::bmAlphaTest50:
        state_.enable(GL_BLEND, false);
        state_.enable(GL_ALPHA_TEST, true);
        state_.alphaFunc(GL_GEQUAL, 0.5f);
        break;
    case TGLBlendingMode::bmAlphaTest100:
        state_.enable(GL_BLEND, false);
        state_.enable(GL_ALPHA_TEST, true);
        state_.alphaFunc(GL_GEQUAL, 1.0f);
        break;
    case TGLBlendingMode::bmModulate:
        state_.enable(GL_BLEND, true);
        state_.blendFunc(GL_DST_COLOR, GL_ZERO);
        state_.enable(GL_ALPHA_TEST, false);
        break;
    case TGLBlendingMode::bmCustom: {
        const TGLBlendingParameters& p = m.blendingParams();
        state_.enable(GL_BLEND, p.useBlendFunc);
        if (p.useBlendFunc)
            state_.blendFunc(blendFactor(p.blendFuncSFactor), blendFactor(p.blendFuncDFactor));
        state_.enable(GL_ALPHA_TEST, p.useAlphaFunc);
        if (p.useAlphaFunc) state_.alphaFunc(alphaFunc(p.alphaFunction), p.alphaFuncRef);
        break;
    }
    }

    state_.enable(GL_FOG, settings_.fogEnable && !m.materialOptions().moIgnoreFog);

    textureOn_ = false;
    const TGLTexture* tex = m.textureIfAny();
    if (tex && tex->enabled() && tex->hasImage() && bindTexture(*tex)) {
        state_.enable(GL_TEXTURE_2D, true);
        textureOn_ = true;
        GLint mode = GL_MODULATE;
        switch (tex->textureMode()) {
        case TGLTextureMode::tmDecal:
            mode = GL_DECAL;
            break;
        case TGLTextureMode::tmModulate:
            mode = GL_MODULATE;
            break;
        case TGLTextureMode::tmBlend:
            mode = GL_BLEND;
            break;
        case TGLTextureMode::tmReplace:
            mode = GL_REPLACE;
            break;
        }
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, mode);
        if (lib && lib->hasTextureMatrix()) {
            glMatrixMode(GL_TEXTURE);
            glLoadIdentity();
            const Vec3 o = lib->textureOffset().asAffine(), s = lib->textureScale().asAffine();
            glTranslatef(o.x, o.y, o.z);
            glScalef(s.x, s.y, s.z);
            glMatrixMode(GL_MODELVIEW);
            textureMatrixSet_ = true;
        }
    } else {
        state_.enable(GL_TEXTURE_2D, false);
    }

    // An object drawn without depth testing keeps it off whatever its material says.
    materialDepthOff_ = !m.depthProperties().depthTest;
    state_.enable(GL_DEPTH_TEST, depthTest_ && m.depthProperties().depthTest);
    state_.depthMask(m.depthProperties().depthWrite);
}

void GlRenderer::releaseMaterial(const TGLMaterial&) {
    if (textureOn_) {
        state_.enable(GL_TEXTURE_2D, false);
        textureOn_ = false;
    }
    if (textureMatrixSet_) {
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        textureMatrixSet_ = false;
    }
    state_.enable(GL_BLEND, false);
    state_.enable(GL_ALPHA_TEST, false);
    state_.enable(GL_FOG, false);
    state_.polygonMode(GL_FILL);
    state_.enable(GL_LIGHTING, settings_.lighting && !pixelSpace_);
    state_.enable(GL_CULL_FACE, settings_.faceCulling && !pixelSpace_);
    state_.depthMask(true);
    if (materialDepthOff_) {
        state_.enable(GL_DEPTH_TEST, depthTest_);
        materialDepthOff_ = false;
    }
}

bool GlRenderer::bindQuadTexture(const QuadTexture& texture) {
    GlObjects::Entry* entry = objects_.find(*texture.owner);
    if (!entry) entry = objects_.makeTexture(*texture.owner);
    if (!entry) return false;
    glBindTexture(GL_TEXTURE_2D, entry->name);
    if (entry->version == texture.version) return true;
    const platform::Image* img = texture.image ? texture.image() : nullptr;
    if (!img || img->empty()) return false;
    entry->version = texture.version;
    std::vector<unsigned char> rgba(std::size_t(img->width) * std::size_t(img->height) * 4);
    for (std::size_t i = 0; i < img->pixels.size(); ++i) {
        const std::uint32_t p = img->pixels[i];
        rgba[i * 4 + 0] = static_cast<unsigned char>(platform::red(p));
        rgba[i * 4 + 1] = static_cast<unsigned char>(platform::green(p));
        rgba[i * 4 + 2] = static_cast<unsigned char>(platform::blue(p));
        rgba[i * 4 + 3] = static_cast<unsigned char>(platform::alpha(p));
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    static constexpr GLint kMin[] = {GL_NEAREST,
                                     GL_LINEAR,
                                     GL_NEAREST_MIPMAP_NEAREST,
                                     GL_LINEAR_MIPMAP_NEAREST,
                                     GL_NEAREST_MIPMAP_LINEAR,
                                     GL_LINEAR_MIPMAP_LINEAR};
    const bool mipmaps = texture.minFilter != TextureMinFilter::nearest &&
                         texture.minFilter != TextureMinFilter::linear;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, kMin[int(texture.minFilter)]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                    texture.magNearest ? GL_NEAREST : GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    if (mipmaps)
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, img->width, img->height, GL_RGBA,
                          GL_UNSIGNED_BYTE, rgba.data());
    else
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, img->width, img->height, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, rgba.data());
    return true;
}

void GlRenderer::drawQuads(const QuadBatch& batch) {
    if (batch.quads.empty()) return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
    if (batch.texture) {
        if (!bindQuadTexture(*batch.texture)) {
            glPopAttrib();
            return;
        }
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(batch.color.x, batch.color.y, batch.color.z, batch.color.w);
    glBegin(GL_QUADS);
    for (const TexturedQuad& q : batch.quads) {
        glTexCoord2f(q.s0, q.t0);
        glVertex2f(q.x0, q.y0);
        glTexCoord2f(q.s0, q.t1);
        glVertex2f(q.x0, q.y1);
        glTexCoord2f(q.s1, q.t1);
        glVertex2f(q.x1, q.y1);
        glTexCoord2f(q.s1, q.t0);
        glVertex2f(q.x1, q.y0);
    }
    glEnd();
    glPopAttrib();
}

bool GlRenderer::prepareLists(const GlObjectOwner& owner, int count,
                              const std::function<void(int, GeometrySink&)>& build) {
    if (objects_.find(owner)) return true;
    const GlObjects::Entry* lists = objects_.makeLists(owner, 0, count);
    if (!lists) return false;
    for (int i = 0; i < count; ++i) {
        glNewList(lists->name + GLuint(i), GL_COMPILE);
        try {
            build(i, sink_);
        } catch (...) {
            // Lists made half-way are not kept: the next frame tries again.
            glEndList();
            objects_.drop(owner);
            throw;
        }
        glEndList();
    }
    return true;
}

void GlRenderer::callLists(const GlObjectOwner& owner, const std::vector<unsigned char>& indices) {
    const GlObjects::Entry* lists = objects_.find(owner);
    if (!lists || indices.empty()) return;
    glPushAttrib(GL_ENABLE_BIT | GL_LIST_BIT);
    glEnable(GL_NORMALIZE);
    glListBase(lists->name);
    glCallLists(GLsizei(indices.size()), GL_UNSIGNED_BYTE, indices.data());
    glPopAttrib();
}

void GlRenderer::beginPixelSpace(int width, int height) {
    glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT |
                 GL_POLYGON_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    depthTest_ = false;
    pixelSpace_ = true;
    // The overlay's objects push and pop state of their own around the renderer's calls.
    state_.setBypass(true);
}

void GlRenderer::endPixelSpace() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    depthTest_ = true;
    pixelSpace_ = false;
    state_.setBypass(false);
}

} // namespace coilrun::engine
