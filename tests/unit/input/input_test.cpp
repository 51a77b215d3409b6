#include "engine/input/controls_source.h"
#include "engine/input/is_key_down.h"
#include "engine/input/key_state.h"
#include "engine/input/user_interface.h"
#include "engine/platform/virtual_keys.h"
#include "tests/sim/sim_cursor.h"
#include "tests/sim/sim_gamepad.h"
#include "tests/sim/sim_keyboard.h"
#include "tests/sim/sim_window.h"

#include <gtest/gtest.h>
#include <memory>

namespace coilrun {
namespace {

using engine::Vec3;

TEST(IsKeyDownTest, CharactersFindTheirKeyWhateverShiftTheyNeed) {
    sim::SimKeyboard kb;
    kb.press('W');
    EXPECT_TRUE(engine::IsKeyDown(kb, 'w'));
    EXPECT_TRUE(engine::IsKeyDown(kb, 'W'));
    EXPECT_FALSE(engine::IsKeyDown(kb, 'a'));
    kb.press(vk::oemPlus); // the "=" key, no Shift
    EXPECT_TRUE(engine::IsKeyDown(kb, '+'));
    EXPECT_TRUE(engine::IsKeyDown(kb, '='));
    EXPECT_FALSE(engine::IsKeyDown(kb, '-'));
    kb.releaseAll();
    kb.press(vk::subtract); // the keypad's minus counts as "-"
    EXPECT_TRUE(engine::IsKeyDown(kb, '-'));
    EXPECT_FALSE(engine::IsKeyDown(kb, vk::oemMinus));
    kb.press(vk::space);
    EXPECT_TRUE(engine::IsKeyDown(kb, ' '));
    EXPECT_FALSE(engine::IsKeyDown(kb, char(0xE9))); // no key types it on this layout
}

TEST(IsKeyDownTest, VirtualKeyCodesTheGamePolls) {
    sim::SimKeyboard kb;
    for (int code : {27, 37, 38, 39, 40}) {
        EXPECT_FALSE(engine::IsKeyDown(kb, code));
        kb.press(code);
        EXPECT_TRUE(engine::IsKeyDown(kb, code));
        kb.release(code);
        EXPECT_FALSE(engine::IsKeyDown(kb, code));
    }
}

TEST(ControlsTest, EveryPolledKeyHasABitOfItsOwnAndATapReadsDownOnce) {
    sim::SimKeyboard kb;
    sim::SimCursor cursor;
    sim::SimScreen screen;
    engine::TGLUserInterface mouseLook(cursor, screen);
    sim::SimGamepad pad;
    engine::PlatformControls controls(kb, cursor, pad);
    const std::pair<int, engine::Key> table[] = {{'W', engine::Key::W},
                                                 {'A', engine::Key::A},
                                                 {'S', engine::Key::S},
                                                 {'D', engine::Key::D},
                                                 {vk::add, engine::Key::Plus},
                                                 {vk::oemMinus, engine::Key::Minus},
                                                 {vk::left, engine::Key::Left},
                                                 {vk::up, engine::Key::Up},
                                                 {vk::right, engine::Key::Right},
                                                 {vk::down, engine::Key::Down},
                                                 {vk::space, engine::Key::Space},
                                                 {vk::enter, engine::Key::Enter},
                                                 {vk::escape, engine::Key::Escape},
                                                 {'M', engine::Key::M}};
    for (const auto& [code, key] : table) {
        kb.press(code);
        kb.release(code);
        engine::Controls expected;
        expected.set(key);
        EXPECT_EQ(controls.read(mouseLook), expected) << code;
        EXPECT_EQ(controls.read(mouseLook), engine::Controls{}) << code;
    }
    kb.press('W');
    const engine::Controls c = controls.read(mouseLook);
    EXPECT_TRUE(c.charDown('w'));
    EXPECT_FALSE(c.charDown('m')) << "only the steering characters";
    cursor.moveTo({0, 0});
    EXPECT_EQ(controls.read(mouseLook).lookX, 0) << "no travel while mouse look is off";
}

TEST(KeyStateTest, APressLetGoBetweenPollsReadsDownForTheNextPollOnly) {
    engine::KeyState keys;
    keys.beginPoll();
    keys.press(vk::space);
    keys.release(vk::space);
    EXPECT_FALSE(keys.isDown(vk::space)) << "not before its poll";
    keys.beginPoll();
    EXPECT_TRUE(keys.isDown(vk::space));
    EXPECT_TRUE(keys.isDown(vk::space)) << "every read of that poll";
    keys.beginPoll();
    EXPECT_FALSE(keys.isDown(vk::space));

    // Held over a poll it has been seen: up as soon as it is let go.
    keys.press(vk::escape);
    keys.beginPoll();
    EXPECT_TRUE(keys.isDown(vk::escape));
    keys.release(vk::escape);
    EXPECT_FALSE(keys.isDown(vk::escape));
    keys.beginPoll();
    EXPECT_FALSE(keys.isDown(vk::escape));

    // Focus lost with a tap pending: nothing is left of it.
    keys.press('M');
    keys.release('M');
    keys.releaseAll();
    keys.beginPoll();
    EXPECT_FALSE(keys.isDown('M'));
    keys.press(-1);
    keys.press(256);
    EXPECT_FALSE(keys.isDown(256));
}

TEST(UsLayoutTest, ShiftedCharactersMapToTheirBaseKey) {
    EXPECT_EQ(usLayoutVirtualKey('!'), '1');
    EXPECT_EQ(usLayoutVirtualKey(')'), '0');
    EXPECT_EQ(usLayoutVirtualKey('_'), vk::oemMinus);
    EXPECT_EQ(usLayoutVirtualKey('{'), vk::oem4);
    EXPECT_EQ(usLayoutVirtualKey('m'), 'M');
    EXPECT_EQ(usLayoutVirtualKey('\0'), vk::none);
}

// A frame that, like a scene object, keeps Up orthogonal to a new Direction.
struct Frame : engine::NavigableObject {
    Vec3 d{0, 0, -1}, u{0, 1, 0};
    Vec3 direction() const override { return d; }
    Vec3 up() const override { return u; }
    void setDirection(const Vec3& v) override {
        d = engine::normalized(v);
        const Vec3 right = engine::cross(d, u);
        u = engine::normalized(engine::cross(right, d));
    }
    void setUp(const Vec3& v) override { u = engine::normalized(v); }
};

constexpr float eps = 1e-4f;

// Degrees the frame has turned right of -Z about Y, and pitched up.
float yaw(const Frame& f) {
    return std::atan2(f.d.x, -f.d.z) * engine::kRadToDeg;
}
float pitch(const Frame& f) {
    return std::asin(f.d.y) * engine::kRadToDeg;
}

struct MouseLookTest : ::testing::Test {
    sim::SimCursor cursor;
    sim::SimScreen screen; // 1280 x 1024
    sim::SimKeyboard keyboard;
    sim::SimGamepad pad;
    engine::PlatformControls controls{keyboard, cursor, pad};
    Frame camera;
    engine::TGLNavigator navigator;
    std::unique_ptr<engine::TGLUserInterface> ui;

    // A frame's reading of the controls, then MouseUpdate, as the game does them.
    void update() {
        const engine::Controls c = controls.read(*ui);
        ui->takeReading({c.lookX, c.lookY});
        ui->MouseUpdate();
    }

    void SetUp() override {
        navigator.setMovingObject(&camera);
        ui = std::make_unique<engine::TGLUserInterface>(cursor, screen);
        ui->setMouseSpeed(4);
        ui->setGLNavigator(&navigator);
        ui->MouseLookActivate();
    }
};

TEST_F(MouseLookTest, CursorAtTheCentreTurnsNothingAndStaysPut) {
    EXPECT_EQ(ui->screenCentre(), (platform::Point{640, 512}));
    const auto moves = cursor.moves.size();
    update();
    EXPECT_FALSE(ui->MouseLook());
    EXPECT_EQ(cursor.moves.size(), moves);
    EXPECT_NEAR(yaw(camera), 0, eps);
}

TEST_F(MouseLookTest, TravelTurnsByMouseSpeedHundredthsOfADegreePerPixel) {
    cursor.moveTo({740, 462}); // 100 right, 50 up
    update();
    EXPECT_TRUE(ui->MouseLook());
    EXPECT_NEAR(yaw(camera), 4, 1e-3);
    EXPECT_NEAR(pitch(camera), 2, 1e-3);
    EXPECT_EQ(cursor.pos, ui->screenCentre()); // recentred
    EXPECT_FALSE(ui->MouseLook());             // no MouseUpdate since: the reading is used
    EXPECT_NEAR(yaw(camera), 4, 1e-3);
}

// The pointer is put back as the frame turns; read again later in that frame it
// stands at the centre, so the travel the frame began with turns the view once.
TEST_F(MouseLookTest, APointerPutBackInTheFrameHasNotTravelledSince) {
    cursor.moveTo({740, 512});
    for (int frame = 0; frame < 3; ++frame) {
        const engine::Controls c = controls.read(*ui);
        ui->takeReading({c.lookX, c.lookY});
        ui->MouseLook();
        ui->MouseUpdate();
    }
    EXPECT_NEAR(yaw(camera), 4, 1e-3);
    EXPECT_EQ(cursor.pos, ui->screenCentre());
}

TEST_F(MouseLookTest, InvertMouseTurnsTheOtherWayVertically) {
    ui->setInvertMouse(true);
    cursor.moveTo({740, 462});
    update();
    ui->MouseLook();
    EXPECT_NEAR(navigator.currentVAngle(), -2, 1e-4);
    EXPECT_NEAR(pitch(camera), -2, 1e-3);
}

TEST_F(MouseLookTest, ShowAndHideStayBalanced) {
    ui->MouseLookActivate(); // already active: hidden once only
    EXPECT_EQ(cursor.showCount, -1);
    ui->MouseLookDeactivate();
    EXPECT_TRUE(cursor.visible());
    ui->MouseLookDeactivate();
    EXPECT_EQ(cursor.showCount, 0);
    ui->MouseLookActiveToggle();
    EXPECT_FALSE(cursor.visible());
    ui.reset(); // destroyed while active
    EXPECT_EQ(cursor.showCount, 0);
}

TEST_F(MouseLookTest, InactiveMouseLookReadsAndTurnsNothing) {
    ui->MouseLookDeactivate();
    cursor.moveTo({0, 0});
    update();
    EXPECT_FALSE(ui->MouseLook());
    EXPECT_EQ(ui->cursorPos(), ui->screenCentre());
}

TEST_F(MouseLookTest, VerticalNavigatorTakesVerticalTurns) {
    Frame other;
    engine::TGLNavigator vertical;
    vertical.setMovingObject(&other);
    ui->setGLVertNavigator(&vertical);
    cursor.moveTo({640, 412});
    update();
    ui->MouseLook();
    EXPECT_NEAR(pitch(other), 4, 1e-3);
    EXPECT_NEAR(pitch(camera), 0, eps);
}

TEST_F(MouseLookTest, NavigatorsGoingAwayAreLetGo) {
    {
        engine::TGLNavigator transient;
        ui->setGLVertNavigator(&transient);
    }
    EXPECT_EQ(ui->glVertNavigator(), nullptr);
    {
        Frame gone;
        navigator.setMovingObject(&gone);
    }
    EXPECT_EQ(navigator.movingObject(), nullptr);
    navigator.TurnHorizontal(10); // no object: nothing, not a crash
    EXPECT_EQ(navigator.currentHAngle(), 0);
    EXPECT_FALSE(navigator.CalcRight());
}

TEST(NavigatorTest, HorizontalAngleWrapsIntoZeroTo360) {
    Frame f;
    engine::TGLNavigator n;
    n.setMovingObject(&f);
    n.TurnHorizontal(-10);
    EXPECT_NEAR(n.currentHAngle(), 10, eps);
    n.TurnHorizontal(20); // 10 - 20 = -10
    EXPECT_NEAR(n.currentHAngle(), 350, 1e-3);
    EXPECT_NEAR(yaw(f), 10, 1e-3);
}

TEST(NavigatorTest, VerticalAngleWrapsIntoPlusMinus180) {
    Frame f;
    engine::TGLNavigator n;
    n.setMovingObject(&f);
    n.TurnVertical(170);
    n.TurnVertical(20);
    EXPECT_NEAR(n.currentVAngle(), -170, 1e-3);
}

TEST(NavigatorTest, AngleLockPitchesUpToTheLimitThenNothing) {
    Frame f;
    engine::TGLNavigator n;
    n.setMovingObject(&f);
    n.setAngleLock(true);
    n.setMaxAngle(80);
    n.setMinAngle(-80);
    n.TurnVertical(75);
    n.TurnVertical(10);
    EXPECT_NEAR(n.currentVAngle(), 80, eps);
    EXPECT_NEAR(pitch(f), 80, 1e-2); // 75 + 5
    const Vec3 d = f.d, u = f.u;
    n.TurnVertical(3);
    EXPECT_EQ(f.d, d);
    EXPECT_EQ(f.u, u);
    n.TurnVertical(-200);
    EXPECT_NEAR(n.currentVAngle(), -80, eps);
}

TEST(NavigatorTest, VirtualUpTurnsAboutAFixedAxis) {
    Frame f;
    engine::TGLNavigator n;
    n.setMovingObject(&f);
    n.setVirtualUp({0, 1, 0});
    n.setUseVirtualUp(true);
    EXPECT_NEAR(n.virtualRight().x, 1, eps);
    n.TurnVertical(30); // pitched, then turned about world Y: stays 30 up
    n.TurnHorizontal(90);
    EXPECT_NEAR(pitch(f), 30, 1e-2);
    EXPECT_NEAR(f.d.x, std::cos(30 * engine::kDegToRad), 1e-3); // now facing +X
    const auto right = n.CalcRight();
    ASSERT_TRUE(right);
    EXPECT_NEAR(engine::length(*right), 1, eps);
}

TEST(NavigatorTest, UpsideDownInvertsHorizontalSteeringWhenAsked) {
    Frame f;
    engine::TGLNavigator n;
    n.setMovingObject(&f);
    n.setInvertHorizontalSteeringWhenUpsideDown(true);
    n.TurnVertical(120);
    n.TurnHorizontal(10);
    EXPECT_NEAR(n.currentHAngle(), 10, eps);
}

} // namespace
} // namespace coilrun
