// Keys and the pointer on a real X server, driven from outside with xdotool.
#include "engine/input/is_key_down.h"
#include "engine/input/user_interface.h"
#include "engine/platform/virtual_keys.h"
#include "platform/qt/qt_cursor.h"
#include "platform/qt/qt_keyboard.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace coilrun::qt {
namespace {

bool spinUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

int xdotool(const std::string& args) {
    return std::system(("xdotool " + args).c_str());
}

class ScreenOf : public platform::Screen {
public:
    int width() const override { return QGuiApplication::primaryScreen()->geometry().width(); }
    int height() const override { return QGuiApplication::primaryScreen()->geometry().height(); }
    int dpi() const override { return 96; }
};

struct XInputTest : ::testing::Test {
    static void SetUpTestSuite() {
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0) missing = "xdotool";
    }
    void SetUp() override {
        if (!missing.empty()) GTEST_SKIP() << "no " << missing;
        if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "not on X11";
        window.resize(320, 240);
        window.show();
        ASSERT_TRUE(spinUntil([&] { return window.isVisible(); }));
        xdotool("windowfocus --sync " + std::to_string(window.winId()));
        window.activateWindow();
        spinUntil([&] { return window.isActiveWindow(); }, 1000);
    }
    void TearDown() override { xdotool("keyup shift Up w equal KP_Add"); }

    // Holds key down with xdotool and returns whether `down` read true while held and
    // false after release.
    bool holdAndRelease(const std::string& keys, const std::function<bool()>& down) {
        xdotool("keydown " + keys);
        const bool sawDown = spinUntil(down);
        xdotool("keyup " + keys);
        const bool sawUp = spinUntil([&] { return !down(); });
        return sawDown && sawUp;
    }

    static inline std::string missing;
    QWidget window;
    QtKeyboard keyboard;
};

TEST_F(XInputTest, HeldKeysReadDownUntilReleased) {
    EXPECT_TRUE(holdAndRelease("Up", [&] { return engine::IsKeyDown(keyboard, 38); }));
    EXPECT_TRUE(holdAndRelease("w", [&] { return engine::IsKeyDown(keyboard, 'w'); }));
    EXPECT_TRUE(holdAndRelease("w", [&] { return engine::IsKeyDown(keyboard, 'W'); }));
    EXPECT_TRUE(holdAndRelease("Escape", [&] { return engine::IsKeyDown(keyboard, 27); }));
    EXPECT_TRUE(holdAndRelease("space", [&] { return engine::IsKeyDown(keyboard, ' '); }));
}

TEST_F(XInputTest, PlusReadsDownWithOrWithoutShiftAndOnTheKeypad) {
    EXPECT_TRUE(holdAndRelease("shift equal", [&] { return engine::IsKeyDown(keyboard, '+'); }));
    EXPECT_FALSE(keyboard.isVirtualKeyDown(vk::shift));
    EXPECT_TRUE(holdAndRelease("equal", [&] { return engine::IsKeyDown(keyboard, '+'); }));
    EXPECT_TRUE(holdAndRelease("KP_Add", [&] { return engine::IsKeyDown(keyboard, '+'); }));
    EXPECT_TRUE(holdAndRelease("KP_Subtract", [&] { return engine::IsKeyDown(keyboard, '-'); }));
    // Shift let go before the key: the key still comes up.
    xdotool("keydown shift equal");
    ASSERT_TRUE(spinUntil([&] { return engine::IsKeyDown(keyboard, '+'); }));
    xdotool("keyup shift");
    xdotool("keyup equal");
    EXPECT_TRUE(spinUntil([&] { return !engine::IsKeyDown(keyboard, '+'); }));
}

TEST_F(XInputTest, KeysTypedIntoAnotherWindowAreNotTheListenedWindows) {
    keyboard.listenTo(&window);
    QWidget other;
    other.setGeometry(400, 300, 200, 150);
    other.show();
    ASSERT_TRUE(spinUntil([&] { return other.isVisible(); }));
    auto focusOn = [&](QWidget& w) {
        xdotool("windowfocus --sync " + std::to_string(w.winId()));
        return spinUntil([&] { return w.isActiveWindow(); }, 1000);
    };
    ASSERT_TRUE(focusOn(other));
    xdotool("keydown space");
    EXPECT_FALSE(spinUntil([&] { return engine::IsKeyDown(keyboard, ' '); }, 300));
    // Still held when the listened window gets the keyboard: the press was not its.
    ASSERT_TRUE(focusOn(window));
    EXPECT_FALSE(spinUntil([&] { return engine::IsKeyDown(keyboard, ' '); }, 300));
    xdotool("keyup space");
    // Held there and carried off to the other window, whose the release will be.
    EXPECT_TRUE(holdAndRelease("Up", [&] { return engine::IsKeyDown(keyboard, vk::up); }));
    xdotool("keydown Up");
    ASSERT_TRUE(spinUntil([&] { return engine::IsKeyDown(keyboard, vk::up); }));
    ASSERT_TRUE(focusOn(other));
    EXPECT_TRUE(spinUntil([&] { return !engine::IsKeyDown(keyboard, vk::up); }));
}

// What the toolkit hands on when it misses that a release and a press are X's repeat
// of a held key: both plain, with one time stamp.
TEST_F(XInputTest, RepeatOfAKeyHeldSinceBeforeDoesNotGoDown) {
    keyboard.listenTo(&window);
    auto send = [&](QEvent::Type type, quint64 time) {
        QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, 65, 32, 0, " ");
        e.setTimestamp(time);
        QApplication::sendEvent(window.windowHandle(), &e);
        QApplication::sendEvent(&window, &e);
        keyboard.beginPoll();
    };
    send(QEvent::KeyRelease, 5000);
    send(QEvent::KeyPress, 5000);
    EXPECT_FALSE(engine::IsKeyDown(keyboard, ' ')) << "held since before: a repeat";
    send(QEvent::KeyRelease, 5040);
    send(QEvent::KeyPress, 5100);
    EXPECT_TRUE(engine::IsKeyDown(keyboard, ' ')) << "a press of its own";
    // Held here, the same pair leaves the key down.
    send(QEvent::KeyRelease, 6000);
    send(QEvent::KeyPress, 6000);
    EXPECT_TRUE(engine::IsKeyDown(keyboard, ' '));
    send(QEvent::KeyRelease, 6100);
    EXPECT_FALSE(engine::IsKeyDown(keyboard, ' '));
}

TEST_F(XInputTest, CursorIsHiddenWhileMouseLookIsActive) {
    QtCursor cursor;
    ScreenOf screen;
    engine::TGLUserInterface ui(cursor, screen);
    ui.MouseLookActivate();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    spinUntil([&] { return QCursor::pos() == QPoint(ui.screenCentre().x, ui.screenCentre().y); },
              1000);
    EXPECT_EQ(cursor.position(), ui.screenCentre()); // recentred
    ui.MouseLookActivate();
    ui.MouseLookDeactivate();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(cursor.visible());
}

} // namespace
} // namespace coilrun::qt

int main(int argc, char** argv) {
    // Without a display the tests still list (and then skip themselves).
    if (qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
