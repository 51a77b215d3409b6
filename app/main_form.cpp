#include "app/main_form.h"

#include "app/demo_scene.h"
#include "app/settings.h"
#include "scene/assets/embedded_assets.h"
#include "engine/objects/light_source.h"

#include <charconv>
#include <cmath>

namespace coilrun {

TForm1::TForm1(platform::Platform& platform, CadencerPump& pump)
    : platform_(platform), window_(platform.createWindow()) {
    auto& screen = platform.screen();
    window_->setGeometry({(screen.width() - 928) / 2, (screen.height() - 514) / 2, 928, 514});
    window_->setBackgroundColor(0xffffffff);
    window_->setCaption("Coilrun");
    window_->setIcon(scene::embeddedIconImages());
    window_->onClose = [this] { FormClose(); };

    glscnvwr1Surface = platform.createGlSurface(*window_);
    glscnvwr1Surface->setGeometry({0, 0, 928, 514});
    glscnvwr1Surface->hide();
    glscnvwr1 = std::make_unique<engine::TGLSceneViewer>(glscnvwr1Surface.get(), platform.clock());
    glscnvwr1->setDpi(float(platform.screen().dpi()));
    glscnvwr1->setScene(&glscn1);
    glscnvwr1->setCamera(buildDemoScene(glscn1));
    glscnvwr1->setFieldOfView(156.2712f);
    // Covers the viewer until it is shown.
    pnl1 = window_->createPanel(0xff000000);
    pnl1->setGeometry({0, 0, 928, 514});

    CadencerMenu = std::make_unique<TGLCadencer>(pump);
    CadencerMenu->setFixedDeltaTime(0.0025);
    CadencerMenu->setOnProgress([this](TGLCadencer&, double deltaTime, double newTime) {
        CadencerMenuProgress(deltaTime, newTime);
    });
    CadencerMenu->setScene(&glscn1Progress);

    runtime = std::make_unique<TTimer>(platform.loop());
    runtime->setInterval(1000);
    runtime->setOnTimer([this] { runtimeTimer(); });
    runtime->setEnabled(true);

    FormCreate();
}

TForm1::~TForm1() {
    window_->onClose = nullptr;
}

void TForm1::FormCreate() {
    state_.countdown = 0;
    state_.bestScore = 0;
    state_.soundOn = true;
    state_.maxLevel = settings::readMaxLevel(platform_.settings());
    state_.snakeLength = 2;
    state_.rigSpin = 20.0;
    state_.musicClock = 1;
}

void TForm1::show() {
    window_->show();
    glscnvwr1Surface->show();
    pnl1->hide();
}

void TForm1::CadencerMenuProgress(double, double) {}

void TForm1::runtimeTimer() {
    state_.playSeconds += 1;
    double light = 1;
    if (auto* centerlight = glscn1.findSceneObjectAs<engine::TGLLightSource>("centerlight"))
        light = centerlight->constAttenuation();
    window_->setCaption(formatStatusLine(state_.musicClock, state_.snakeLength, light,
                                         glscnvwr1->framesPerSecond()));
    glscnvwr1->resetPerformanceMonitor();
    state_.musicDue = !state_.levelOver && state_.playSeconds >= 3;
}

void TForm1::FormClose() {
    settings::markCreatorIfMissing(platform_.settings());
    if (onClosed) onClosed();
}

std::string formatFramesPerSecond(double fps) {
    const double rounded = std::round(fps * 100.0) / 100.0;
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, rounded);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

std::string formatStatusLine(int musicClock, int snakeLength, double lightAttenuation, double fps) {
    // Rounded half to even, as the status line always has.
    const long light = std::lrint(lightAttenuation);
    return "Musictime = " + std::to_string(musicClock) +
           "        SnakeLength = " + std::to_string(snakeLength) +
           "        light = " + std::to_string(light) + "      fps = " + formatFramesPerSecond(fps);
}

} // namespace coilrun
