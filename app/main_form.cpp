#include "app/main_form.h"

#include "app/settings.h"

#include <charconv>
#include <cmath>

namespace coilrun {

TForm1::TForm1(platform::Platform& platform)
    : platform_(platform), window_(platform.createWindow()) {
    auto& screen = platform.screen();
    window_->setGeometry({(screen.width() - 928) / 2, (screen.height() - 514) / 2, 928, 514});
    window_->setBackgroundColor(0xffffffff);
    window_->setCaption("Coilrun");
    window_->onClose = [this] { FormClose(); };

    glscnvwr1 = platform.createGlSurface(*window_);
    glscnvwr1->setGeometry({0, 0, 928, 514});
    glscnvwr1->hide();
    // Covers the viewer until it is shown.
    pnl1 = window_->createPanel(0xff000000);
    pnl1->setGeometry({0, 0, 928, 514});

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
}

void TForm1::runtimeTimer() {
    state_.playSeconds += 1;
    window_->setCaption(formatStatusLine(state_.musicClock, state_.snakeLength,
                                         centerLightAttenuation(), framesPerSecond()));
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
