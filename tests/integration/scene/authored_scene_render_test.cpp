// The authored scene drawn offscreen at the game window's size, through the
// game camera and through the menu camera, probed where things must show.
#include "engine/hud/hud_text.h"
#include "engine/objects/camera.h"
#include "platform/qt/qt_platform.h"
#include "scene/authored/load_authored_scene.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <gtest/gtest.h>

namespace coilrun::scene {
namespace {

using namespace engine;

int brightness(std::uint32_t p) {
    return platform::red(p) + platform::green(p) + platform::blue(p);
}

// Share of pixels in the rectangle that are not (nearly) black.
double litShare(const platform::Image& image, int x0, int y0, int x1, int y1) {
    int lit = 0, all = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++all)
            lit += brightness(image.at(x, y)) > 60;
    return all ? double(lit) / all : 0;
}

void save(const platform::Image& image, const char* name) {
    if (const char* dir = std::getenv("COILRUN_SHOT_DIR"))
        QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
               QImage::Format_ARGB32)
            .save(QString("%1/%2.png").arg(dir, name));
}

struct AuthoredSceneRender : ::testing::Test {
    qt::QtPlatform platform;
    engine::CadencerPump pump{platform.clock(), platform.loop()};
    FontManager fonts{&platform.glyphOutlines()};
    SoundContext sound{platform.messageBoxes()};
    TGLSceneViewer viewer{nullptr, platform.clock()};
    AuthoredSceneServices services{pump, fonts, sound, viewer};
    std::unique_ptr<platform::OffscreenGl> gl = platform.createOffscreenGl();
    LoadedScene s;

    void SetUp() override {
        QElapsedTimer t;
        t.start();
        s = loadAuthoredScene(platform, services, {});
        std::printf("[ figure ] authored scene loaded in %lld ms\n", (long long)t.elapsed());
        viewer.setScene(&s.get<TGLScene>("glscn1"));
        // The veil is cleared by the menu's opening flight; here it is lifted at once.
        s.get<TGLHUDText>("TextBlack").modulateColor().setAlpha(0);
    }
    void TearDown() override {
        viewer.releaseOffscreen(*gl);
        viewer.setScene(nullptr);
        viewer.setCamera(nullptr);
    }
    platform::Image render() { return viewer.renderToImage(*gl, 928, 514); }
};

TEST_F(AuthoredSceneRender, ThroughTheGameCameraTheCageAndTheSnakeShow) {
    viewer.setCamera(&s.get<TGLCamera>("Camera"));
    const platform::Image image = render();
    ASSERT_EQ(image.width, 928);
    save(image, "game_camera");
    // The snake's spheres all stand at the centre of the playfield.
    EXPECT_GT(litShare(image, 444, 237, 484, 277), 0.8) << "the snake at the centre";
    // The four vertical corner rods of the cage stand left and right of it.
    double left = 0, right = 0;
    for (int x = 100; x < 400; x += 4)
        left = std::max(left, litShare(image, x, 200, x + 4, 314));
    for (int x = 528; x < 828; x += 4)
        right = std::max(right, litShare(image, x, 200, x + 4, 314));
    EXPECT_GT(left, 0.5) << "a corner rod on the left";
    EXPECT_GT(right, 0.5) << "a corner rod on the right";
}

TEST_F(AuthoredSceneRender, ThroughTheMenuCameraTheMakersLetteringShows) {
    viewer.setCamera(&s.get<TGLCamera>("Camera1Menu"));
    viewer.setFieldOfView(156.2712f);
    const platform::Image image = render();
    ASSERT_EQ(image.width, 928);
    save(image, "menu_camera");
    // The snake's head at the playfield's centre, seen from far in front.
    EXPECT_GT(litShare(image, 450, 180, 480, 200), 0.9) << "the snake's head";
    // The maker's lettering along the bottom right, in front of everything.
    EXPECT_GT(litShare(image, 560, 440, 860, 470), 0.2) << "the maker's lettering";
    // The opaque veil covers the 3D scene (the texts drawn after it stay).
    s.get<TGLHUDText>("TextBlack").modulateColor().setAlpha(1);
    const platform::Image veiled = render();
    EXPECT_LT(litShare(veiled, 450, 180, 480, 200), 0.05);
}

} // namespace
} // namespace coilrun::scene

int main(int argc, char** argv) {
    coilrun::qt::setDefaultGlFormat();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
