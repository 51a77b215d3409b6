// The real game window played with a game controller alone: SDL attaches a virtual
// pad in this process (a desktop has a real one where this machine has none), and
// the game takes it as it takes one plugged in while it runs.
#include "app/main_form.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_platform.h"
#include "tests/integration/spin.h"

#define SDL_MAIN_HANDLED
#include <QApplication>
#include <SDL.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace coilrun {
namespace {

using test::spinFor;
using test::spinUntil;

// A pad with the standard controller's buttons and axes.
class VirtualPad {
public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Coilrun test pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index >= 0) joystick_ = SDL_JoystickOpen(index);
    }
    ~VirtualPad() {
        if (!joystick_) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
        SDL_JoystickClose(joystick_);
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
    bool attached() const { return joystick_ != nullptr; }

    // Held for a tenth of a second, as a thumb does.
    void press(SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(joystick_, button, 1);
        spinFor(100);
        SDL_JoystickSetVirtualButton(joystick_, button, 0);
        spinFor(100);
    }
    void lean(SDL_GameControllerAxis axis, Sint16 value) {
        SDL_JoystickSetVirtualAxis(joystick_, axis, value);
    }

private:
    SDL_Joystick* joystick_ = nullptr;
};

struct PadWindowTest : ::testing::Test {
    qt::QtPlatform platform;
    engine::CadencerPump pump{platform.clock(), platform.loop()};
    std::unique_ptr<TForm1> form;

    void SetUp() override {
        if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "not on X11";
        form = std::make_unique<TForm1>(platform, pump);
        form->show();
        ASSERT_TRUE(spinUntil([&] { return form->window().isActive(); }, 5000));
    }
    const SceneLinks& l() const { return form->links(); }
    GameState& state() { return form->state(); }
};

TEST_F(PadWindowTest, StartSteerOutPauseAndResumeWithThePadAlone) {
    EXPECT_FALSE(platform.gamepad().state().connected);
    {
        VirtualPad gone;
        ASSERT_TRUE(gone.attached()) << SDL_GetError();
        ASSERT_TRUE(spinUntil([&] { return platform.gamepad().state().connected; }, 2000));
    }
    ASSERT_TRUE(spinUntil([&] { return !platform.gamepad().state().connected; }, 2000))
        << "a pad pulled out is let go";

    VirtualPad pad; // plugged in while the game runs
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    spinFor(300);
    pad.press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_FALSE(l().CadencerMenu->enabled()) << "A starts level 1";
    ASSERT_TRUE(spinUntil([&] { return state().controlsActive && !state().levelOver; }, 20000));
    ASSERT_TRUE(spinUntil([&] { return l().TextPause1->modulateColor().alpha() > 0.5f; }, 5000));

    pad.press(SDL_CONTROLLER_BUTTON_B);
    EXPECT_TRUE(l().Cadencer4->enabled()) << "B pauses";
    spinFor(400);
    pad.press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(l().Cadencer1->enabled()) << "A resumes";
    EXPECT_FALSE(l().Cadencer4->enabled());

    pad.lean(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    EXPECT_TRUE(spinUntil([&] { return state().levelOver; }, 15000))
        << "the stick steers the snake out of the box";
    pad.lean(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_TRUE(spinUntil([&] { return l().menuLevel->visible(); }, 5000))
        << "the level-over screen";
}

} // namespace
} // namespace coilrun

int main(int argc, char** argv) {
    coilrun::qt::setDefaultGlFormat();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    coilrun::qt::QtApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
