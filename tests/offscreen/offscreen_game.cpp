#include "tests/offscreen/offscreen_game.h"

#include "engine/objects/light_source.h"
#include "engine/platform/virtual_keys.h"
#include "engine/render/scene_viewer.h"
#include "game/specks.h"
#include "tests/scenario/game/snake_course.h"

namespace coilrun::offscreen {

namespace {
constexpr double kFrameSeconds = 1.0 / 60;
} // namespace

OffscreenGame::OffscreenGame(int width, int height, int storedLevel)
    : width_(width), height_(height) {
    driver_ = std::make_unique<scenario::GameDriver>(storedLevel, [&](sim::SimPlatform& p) {
        p.screenImpl.w = width;
        p.screenImpl.h = height;
        p.systemFonts = &fonts_;
        p.systemOutlines = &outlines_;
    });
}

OffscreenGame::~OffscreenGame() {
    // The GL objects of the game window's renderer live in this context.
    if (gl_.makeCurrent()) driver_->form().viewer().releaseGl();
}

void OffscreenGame::drawFrame() {
    if (!gl_.bindFramebuffer(width_, height_)) return;
    auto& surface = *driver_->platform.glSurfaces.at(0);
    if (surface.onPaint) surface.onPaint(platform::FrameSize::unscaled(width_, height_));
}

platform::Image OffscreenGame::picture() {
    drawFrame();
    gl_.finish();
    return gl_.readPixels();
}

void OffscreenGame::advanceFrame() {
    auto& loop = driver_->platform.loopImpl;
    const double cost = loop.messageCost;
    loop.messageCost = kFrameSeconds;
    loop.runFor(kFrameSeconds);
    loop.messageCost = cost;
}

void OffscreenGame::toMenuFlight() {
    driver_->runUntil(
        [&] {
            return links().CadencerMenu->enabled() && driver_->platform.glSurfaces.at(0)->visible;
        },
        30);
    driver_->run(1.0);
}

void OffscreenGame::toMainMenu() {
    driver_->toMainMenu();
    driver_->run(0.5);
}

void OffscreenGame::toLightIntro() {
    driver_->press(vk::space);
    driver_->runUntil([&] { return !links().CadencerMenu->enabled(); }, 5);
    driver_->release(vk::space);
    driver_->runUntil([&] { return links().leftlight->constAttenuation() < 10; }, 10);
}

void OffscreenGame::toPlay(int bodyLength) {
    driver_->untilControlsLive();
    GameState& s = state();
    const bool flat = s.level == 1;
    // Off the course, where the snake never eats it: eating would win the level soon.
    s.speckCell = flat ? Cell{0, -3, 0} : Cell{3, 3, 3};
    s.eatenCell = {0, 0, 0};
    links().speck->setPosition(float(2 * s.speckCell.x), float(2 * s.speckCell.y),
                               float(2 * s.speckCell.z));
    s.snakeLength = bodyLength;
    s.lastStepLength = bodyLength;
    followCourse(flat ? scenario::flatCourse() : scenario::innerCourse());
    // Long enough for the body to lay itself out behind the head.
    driver_->run(0.7 * (bodyLength + 4));
}

void OffscreenGame::followCourse(const std::vector<Cell>& course) {
    engine::TGLCadencer& cadencer = *links().Cadencer1;
    if (!gameHandler_) gameHandler_ = cadencer.onProgress();
    cadencer.setOnProgress([this, course](engine::TGLCadencer& c, double dt, double t) {
        GameState& s = state();
        if (!s.stepping && s.controlsActive && !s.levelOver) {
            const std::string next = scenario::nextOnCourse(course, driver_->headingCell());
            // Off the course (at the start, in the centre): up, onto it.
            s.requestedDirection = next.empty() ? "up" : next;
        }
        gameHandler_(c, dt, t);
    });
}

void OffscreenGame::toPause() {
    driver_->tap(vk::escape, 0.1);
    driver_->runUntil([&] { return links().menuPause->visible(); }, 5);
    driver_->run(0.5);
}

void OffscreenGame::toLevelOver() {
    driver_->tap(vk::space, 0.1);
    driver_->runUntil([&] { return links().Cadencer1->enabled(); }, 5);
    driver_->run(0.5);
    if (gameHandler_) links().Cadencer1->setOnProgress(gameHandler_);
    driver_->leaveTheBox(vk::left);
    driver_->run(1.0);
}

} // namespace coilrun::offscreen
