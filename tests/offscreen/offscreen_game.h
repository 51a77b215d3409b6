#pragma once
// The whole program on the simulated platform in virtual time, its game window drawn
// with the system's fonts into a framebuffer of the screen's size through EGL, with no
// window system: what the golden pictures and the frame benchmark see.
#include "platform/egl/egl_offscreen_gl.h"
#include "platform/qt/qt_fonts.h"
#include "tests/scenario/game/game_driver.h"

#include <memory>
#include <string>
#include <vector>

namespace coilrun::offscreen {

// A QGuiApplication must exist (the fonts need one); the offscreen Qt platform will do.
class OffscreenGame {
public:
    // storedLevel: the level a former run left (the game starts there).
    OffscreenGame(int width, int height, int storedLevel = 0);
    ~OffscreenGame();
    OffscreenGame(const OffscreenGame&) = delete;
    OffscreenGame& operator=(const OffscreenGame&) = delete;

    // False when no GL context could be made: nothing can be drawn.
    bool ready() const { return gl_.valid(); }
    egl::EglOffscreenGl& gl() { return gl_; }
    scenario::GameDriver& driver() { return *driver_; }
    GameState& state() { return driver_->state(); }
    const SceneLinks& links() { return driver_->links(); }
    int width() const { return width_; }
    int height() const { return height_; }

    // Draws the frame the game window would paint now into the bound framebuffer,
    // through the window's own paint handler; not waited for.
    void drawFrame();
    // A frame drawn, waited for and read back.
    platform::Image picture();
    // Virtual time runs on by one frame of a 60 Hz display: the cadencer pump goes
    // round once (one tick costs a frame's time).
    void advanceFrame();

    // From start-up to these moments of a run (each from the one before it):
    void toMenuFlight(); // the opening flight, a second in
    void toMainMenu();   // the main menu faded in
    void toLightIntro(); // Space pressed, the stage lights halfway up
    // The controls live, then the snake grown to bodyLength spheres behind the head
    // and moving round a closed course for a while (the speck waits off it).
    void toPlay(int bodyLength);
    void toPause();     // Escape in play, the pause menu up
    void toLevelOver(); // back in play, out of the box, the result screen faded in

    // Steers the snake round the course inside every game step, before the frame
    // handler runs (several steps may fall in one frame).
    void followCourse(const std::vector<Cell>& course);

private:
    qt::QtFontRasterizer fonts_;
    qt::QtGlyphOutlines outlines_;
    egl::EglOffscreenGl gl_;
    int width_, height_;
    std::unique_ptr<scenario::GameDriver> driver_;
    engine::TGLCadencer::ProgressEvent gameHandler_;
};

} // namespace coilrun::offscreen
