// Glyph building and HUD / 3D text drawing costs, printed as figures.
#include "engine/hud/game_menu.h"
#include "engine/hud/windows_bitmap_font.h"
#include "engine/render/gl.h"
#include "engine/render/gl_renderer.h"
#include "engine/render/render_context.h"
#include "engine/text3d/space_text.h"
#include "platform/qt/qt_fonts.h"
#include "tests/integration/hud/offscreen.h"

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace coilrun;
using namespace coilrun::engine;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double timeMs(const std::function<void()>& f) {
    const auto t0 = Clock::now();
    f();
    return msSince(t0);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

platform::FontSpec gameFont() {
    platform::FontSpec f;
    f.name = "Arial Narrow";
    f.bold = true;
    f.pixelSize = 48;
    return f;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    std::unique_ptr<platform::OffscreenGl> gl = hudtest::makeOffscreenGl();
    if (!gl || !gl->makeCurrent()) {
        std::fprintf(stderr, "no OpenGL\n");
        return 1;
    }
    qt::QtFontRasterizer rasterizer;
    qt::QtGlyphOutlines outlines;

    // --- the bitmap font of the game: "Arial Narrow" bold 48 px, codes 32..127 ---
    std::vector<double> builds, uploads;
    for (int i = 0; i < 5; ++i) {
        TGLWindowsBitmapFont font(&rasterizer);
        font.setFont(gameFont());
        builds.push_back(timeMs([&] { font.glyphImage(); }));
        gl->render(64, 64, [&](int, int) {
            GlRenderer context;
            uploads.push_back(timeMs([&] {
                font.textOut(0, 0, "W", {1, 1, 1, 1}, context);
                glFinish();
            }));
            context.releaseGl();
        });
        if (i == 0) {
            const platform::Image& img = font.glyphImage();
            std::printf("glyph texture \"Arial Narrow\" bold 48 px: %d x %d, CharHeight %d\n",
                        img.width, img.height, font.charHeight());
        }
    }
    std::printf("  build (rasterise + pack): first %.2f ms, median of 5 %.2f ms\n", builds[0],
                median(builds));
    std::printf("  upload + first draw:      first %.2f ms, median of 5 %.2f ms\n", uploads[0],
                median(uploads));

    // --- glyph sets of "Arial" extruded 0.2: cold, then shared ---
    {
        FontManager fonts(&outlines);
        TGLSpaceText a(&fonts), b(&fonts);
        for (TGLSpaceText* t : {&a, &b}) {
            t->setFontName("Arial");
            t->setExtrusion(0.2f);
        }
        const double cold = timeMs([&] { a.ensureGlyphSet(); });
        std::size_t triangles = 0;
        for (int c = 0; c < 256; ++c)
            if (const GlyphMesh* m = a.glyphSet()->mesh(static_cast<unsigned char>(c)))
                triangles += m->triangleCount();
        double compile = 0;
        GlRenderer context;
        gl->render(64, 64, [&](int, int) {
            compile = timeMs([&] {
                a.glyphSet()->compile(context);
                glFinish();
            });
        });
        const double shared = timeMs([&] { b.ensureGlyphSet(); });
        std::printf("glyph set \"Arial\" extrusion 0.2 (256 codes, %zu triangles):\n", triangles);
        std::printf("  cold: outlines + tessellation %.2f ms, display lists %.2f ms\n", cold,
                    compile);
        std::printf("  shared (second text): %.4f ms\n", shared);
        gl->makeCurrent();
        context.releaseGl();
    }

    // --- per-frame drawing: a 10-line menu and a 12-letter space text ---
    TGLWindowsBitmapFont font(&rasterizer);
    font.setFont(gameFont());
    FontManager fonts(&outlines);
    GlRenderer renderer;
    TGLBaseSceneObject menuRoot, textRoot, emptyRoot;
    auto& menu = menuRoot.addNewChild<TGLGameMenu>();
    menu.setFont(&font);
    menu.setPosition(512, 384, 0);
    std::vector<std::string> items;
    for (int i = 0; i < 10; ++i)
        items.push_back("Menu line " + std::to_string(i + 1));
    menu.setItems(items);
    menu.setSelected(3);
    auto& text = textRoot.addNewChild<TGLSpaceText>(&fonts);
    text.setFontName("Arial");
    text.setExtrusion(0.2f);
    text.setText("Press SPACE!");

    auto frameMs = [&](TGLBaseSceneObject& root) {
        double ms = 0;
        gl->render(1024, 768, [&](int w, int h) {
            auto draw = [&] {
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                glMatrixMode(GL_PROJECTION);
                glLoadIdentity();
                gluPerspective(45, double(w) / h, 0.5, 100);
                glMatrixMode(GL_MODELVIEW);
                glLoadIdentity();
                gluLookAt(0, 0, 8, 0, 0, 0, 0, 1, 0);
                glEnable(GL_LIGHTING);
                glEnable(GL_LIGHT0);
                RenderContext ctx(renderer);
                ctx.viewportWidth = w;
                ctx.viewportHeight = h;
                ctx.renderScene(root);
            };
            draw(); // builds what the first frame needs
            glFinish();
            const auto t0 = Clock::now();
            for (int i = 0; i < frames; ++i)
                draw();
            glFinish();
            ms = msSince(t0) / frames;
        });
        return ms;
    };
    const double empty = frameMs(emptyRoot);
    const double menuMs = frameMs(menuRoot);
    const double textMs = frameMs(textRoot);
    std::printf("per frame at 1024 x 768 over %d frames (Mesa, glFinish at the end):\n", frames);
    std::printf("  empty frame            %.3f ms\n", empty);
    std::printf("  10-line menu           %.3f ms (%.3f ms over empty)\n", menuMs, menuMs - empty);
    std::printf("  12-letter space text   %.3f ms (%.3f ms over empty)\n", textMs, textMs - empty);
    gl->makeCurrent();
    renderer.releaseGl();
    return 0;
}
