// Prints the demo scene's frames per second at 928 x 514:
//   bench_render [seconds per run, default 5] [--png file]
// Each frame advances the scene by the real time since the last one and asks
// for the next frame at once, so the figure is what the renderer and the
// surface can sustain.
#include "bench/render/demo_scene.h"
#include "engine/render/scene_viewer.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_gl_surface.h"
#include "platform/qt/qt_offscreen_gl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QOpenGLWidget>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace coilrun;

namespace {

constexpr int kWidth = 928, kHeight = 514;

struct Demo {
    engine::TGLScene scene;
    engine::TGLCamera* camera = buildDemoScene(scene);
    QElapsedTimer time;
    double last = 0;
    void step() {
        const double now = time.isValid() ? time.nsecsElapsed() * 1e-9 : 0;
        if (!time.isValid()) time.start();
        scene.progress(now - last, now);
        last = now;
    }
};

double runSurface(double seconds, const platform::Clock& clock) {
    Demo demo;
    QWidget window;
    window.resize(kWidth, kHeight);
    qt::QtGlSurface surface(&window);
    surface.setGeometry({0, 0, kWidth, kHeight});
    engine::TGLSceneViewer viewer(&surface, clock);
    viewer.setScene(&demo.scene);
    viewer.setCamera(demo.camera);
    QElapsedTimer paintTime;
    double painting = 0;
    surface.onPaint = [&](const platform::FrameSize& size) {
        paintTime.start();
        viewer.render(size);
        painting += paintTime.nsecsElapsed() * 1e-9;
    };
    viewer.onAfterRender = [&](int, int) {
        demo.step();
        surface.requestFrame();
    };
    window.show();
    QTimer::singleShot(500, [&] { viewer.resetPerformanceMonitor(); });
    QTimer::singleShot(int(500 + seconds * 1000), qApp, &QApplication::quit);
    qApp->exec();
    std::printf("  (surface: %.2f ms of %.2f ms per frame issuing GL calls)\n",
                1000 * painting / double(viewer.framesRendered() ? viewer.framesRendered() : 1),
                1000 / (viewer.framesPerSecond() > 0 ? viewer.framesPerSecond() : 1));
    return viewer.framesPerSecond();
}

class DemoWidget : public QOpenGLWidget {
public:
    DemoWidget(Demo& demo, const platform::Clock& clock) : viewer(nullptr, clock), demo_(demo) {
        viewer.setScene(&demo_.scene);
        viewer.setCamera(demo_.camera);
    }
    ~DemoWidget() override {
        makeCurrent();
        viewer.releaseGl();
        doneCurrent();
    }
    engine::TGLSceneViewer viewer;

protected:
    void paintGL() override {
        const QSize device = size() * devicePixelRatioF();
        viewer.render({width(), height(), device.width(), device.height()});
        demo_.step();
        update();
    }

private:
    Demo& demo_;
};

// The same scene through a plain QOpenGLWidget, for comparison.
double runPlainWidget(double seconds, const platform::Clock& clock) {
    Demo demo;
    QSurfaceFormat f;
    f.setVersion(2, 1);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setDepthBufferSize(24);
    DemoWidget window(demo, clock);
    window.setFormat(f);
    window.resize(kWidth, kHeight);
    window.show();
    QTimer::singleShot(500, [&] { window.viewer.resetPerformanceMonitor(); });
    QTimer::singleShot(int(500 + seconds * 1000), qApp, &QApplication::quit);
    qApp->exec();
    return window.viewer.framesPerSecond();
}

void savePicture(const char* path, const platform::Clock& clock) {
    Demo demo;
    engine::TGLSceneViewer viewer(nullptr, clock);
    viewer.setScene(&demo.scene);
    viewer.setCamera(demo.camera);
    demo.scene.progress(2, 2);
    qt::QtOffscreenGl gl;
    const platform::Image img = viewer.renderToImage(gl, kWidth, kHeight);
    viewer.releaseOffscreen(gl);
    QImage out(reinterpret_cast<const uchar*>(img.pixels.data()), img.width, img.height,
               QImage::Format_ARGB32);
    out.save(path);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    double seconds = 5;
    const char* png = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc)
            png = argv[++i];
        else
            seconds = std::atof(argv[i]);
    }
    qt::QtClock clock;
    if (png) {
        savePicture(png, clock);
        return 0;
    }
    const double surface = runSurface(seconds, clock);
    const double widget = runPlainWidget(seconds, clock);
    std::printf("demo scene %d x %d, %.1f s each\n", kWidth, kHeight, seconds);
    std::printf("  QtGlSurface (GL window in a container)    : %.1f fps\n", surface);
    std::printf("  plain QOpenGLWidget:                        %.1f fps\n", widget);
    return 0;
}
