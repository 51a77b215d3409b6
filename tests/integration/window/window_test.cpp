// Real windows under Xvfb: a layout set again and again changes nothing, a shown panel
// hides the GL view, and the pointer, the menus and the window agree on one pixel
// unit at any device pixel ratio (run again with QT_SCALE_FACTOR=2 by CTest).
#include "engine/hud/game_menu.h"
#include "engine/hud/windows_bitmap_font.h"
#include "engine/objects/scene.h"
#include "engine/render/scene_viewer.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_gl_surface.h"
#include "platform/qt/qt_message_loop.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_window.h"
#include "tests/integration/spin.h"
#include "tests/integration/window/delete_window_message.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <xcb/xcb.h>

namespace coilrun::qt {
namespace {

using test::spinFor;
using test::spinUntil;

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

bool have(const char* tool) {
    return QProcess::execute("sh", {"-c", QString("command -v %1 >/dev/null").arg(tool)}) == 0;
}

// What the X server says of a window, in its own (device) pixels.
QRect deviceGeometry(WId id) {
    QRect r;
    const QString shell = run("xdotool", {"getwindowgeometry", "--shell", QString::number(id)});
    for (const QString& line : shell.split('\n')) {
        const int value = line.section('=', 1).toInt();
        if (line.startsWith("X=")) r.moveLeft(value);
        if (line.startsWith("Y=")) r.moveTop(value);
        if (line.startsWith("WIDTH=")) r.setWidth(value);
        if (line.startsWith("HEIGHT=")) r.setHeight(value);
    }
    return r;
}

// The screen as the X server has it (device pixels), cut to r.
QImage screenshot(const QRect& r) {
    QTemporaryDir dir;
    const QString file = dir.filePath("screen.png");
    run("import", {"-window", "root", file});
    return QImage(file).copy(r).convertToFormat(QImage::Format_RGB32);
}

double share(const QImage& image, const std::function<bool(QRgb)>& pick) {
    if (image.isNull()) return 0;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += pick(image.pixel(x, y));
    return double(n) / (image.width() * image.height());
}

// Counts the native windows a widget is given (a re-creation gives it a new one) and
// the geometry events it gets.
struct EventCounter : QObject {
    int nativeWindows = 0, moves = 0, resizes = 0;
    void reset() { nativeWindows = moves = resizes = 0; }
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::WinIdChange && static_cast<QWidget*>(watched)->internalWinId())
            ++nativeWindows;
        moves += e->type() == QEvent::Move;
        resizes += e->type() == QEvent::Resize;
        return false;
    }
};

struct WindowTest : ::testing::Test {
    void SetUp() override {
        if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "not on X11";
        for (const char* tool : {"xdotool", "import", "xprop"})
            if (!have(tool)) GTEST_SKIP() << "no " << tool;
    }
    QtScreen screen;
};

// What the game's 10 ms layout tick does to the main window.
void layOut(QtWindow& window, const QtScreen& screen) {
    window.setGeometry({0, 0, screen.width(), screen.height()});
    window.setStayOnTop(true);
    window.setBorderless(true);
    window.setMinimumSize(700, 500);
}

TEST_F(WindowTest, TheSameLayoutAThousandTimesChangesNothing) {
    QtClock clock;
    QtWindow window;
    window.setGeometry({100, 100, 400, 300});
    QtGlSurface surface(window.widget());
    engine::TGLScene scene;
    engine::TGLSceneViewer viewer(&surface, clock);
    viewer.setScene(&scene);
    viewer.backgroundColor().setColor(0, 1, 0, 1);
    window.onResize = [&](int w, int h) { surface.setGeometry({0, 0, w, h}); };
    surface.show();
    window.show();
    QWidget& widget = *window.widget();
    ASSERT_TRUE(spinUntil([&] { return surface.framesPainted() >= 1; }));
    EventCounter events;
    widget.installEventFilter(&events);

    // The first layout changes the geometry and both styles, on the window as it is.
    layOut(window, screen);
    spinFor(300);
    EXPECT_EQ(events.nativeWindows, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.stayOnTop());
    EXPECT_TRUE(window.borderless());
    const WId id = widget.winId();
    EXPECT_EQ(window.geometry(), (platform::Rect{0, 0, screen.width(), screen.height()}));
    EXPECT_EQ(deviceGeometry(id).size(),
              QSize(screen.width(), screen.height()) * widget.devicePixelRatioF())
        << "the X server knows the window by the id the widget has";
    EXPECT_EQ(surface.geometry(), (platform::Rect{0, 0, screen.width(), screen.height()}));
    // The view lives on in the new window, and shows.
    const auto painted = surface.framesPainted();
    viewer.invalidate();
    EXPECT_TRUE(spinUntil([&] { return surface.framesPainted() > painted; }));
    spinFor(200);
    auto green = [](QRgb p) { return qGreen(p) > 240 && qRed(p) < 16 && qBlue(p) < 16; };
    EXPECT_GT(share(screenshot(deviceGeometry(id)), green), 0.99);

    events.reset();
    for (int i = 0; i < 1000; ++i) {
        layOut(window, screen);
        QApplication::processEvents();
    }
    spinFor(200);
    EXPECT_EQ(events.nativeWindows, 0);
    EXPECT_EQ(events.moves, 0);
    EXPECT_EQ(events.resizes, 0);
    EXPECT_EQ(widget.winId(), id);
    EXPECT_TRUE(window.isVisible());

    // Hidden and shown again, the window and its view still work.
    window.hide();
    spinFor(100);
    window.show();
    const auto before = surface.framesPainted();
    ASSERT_TRUE(spinUntil([&] { return surface.framesPainted() > before; }));
    spinFor(200);
    EXPECT_GT(share(screenshot(deviceGeometry(widget.winId())), green), 0.99);
}

// _MOTIF_WM_HINTS (flags, functions, decorations, ...) and _NET_WM_STATE as the window
// manager would read them.
QString property(WId id, const char* name) {
    return run("xprop", {"-id", QString::number(id), name}).trimmed();
}

bool undecorated(WId id) {
    const QStringList v = property(id, "_MOTIF_WM_HINTS").section('=', 1).split(',');
    return v.size() >= 3 && (v[0].trimmed().toUInt(nullptr, 16) & 2) &&
           v[2].trimmed().toUInt(nullptr, 16) == 0;
}

TEST_F(WindowTest, StylesSetWhileHiddenReachTheWindowSystem) {
    // Never shown: the styles wait for the native window.
    QtWindow fresh;
    fresh.setGeometry({50, 50, 300, 200});
    fresh.setStayOnTop(true);
    fresh.setBorderless(true);
    fresh.show();
    ASSERT_TRUE(spinUntil([&] { return fresh.widget()->windowHandle()->isExposed(); }));
    EXPECT_TRUE(undecorated(fresh.widget()->winId()));
    EXPECT_TRUE(property(fresh.widget()->winId(), "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"));

    // Shown once, then hidden: the styles are there when it is shown again, on the
    // window the widget knows by its id (on X11 a new stay-on-top hint takes a new one).
    QtWindow again;
    again.setGeometry({60, 60, 300, 200});
    again.show();
    ASSERT_TRUE(spinUntil([&] { return again.widget()->windowHandle()->isExposed(); }));
    EXPECT_FALSE(undecorated(again.widget()->winId()));
    again.hide();
    spinFor(100);
    again.setBorderless(true);
    again.setStayOnTop(true);
    again.show();
    ASSERT_TRUE(spinUntil([&] { return again.widget()->windowHandle()->isExposed(); }));
    const WId id = again.widget()->winId();
    EXPECT_TRUE(undecorated(id));
    EXPECT_TRUE(property(id, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"));

    // A border asked for again goes to the window as it is.
    again.setBorderless(false);
    spinFor(100);
    EXPECT_FALSE(undecorated(id));
    EXPECT_EQ(again.widget()->winId(), id);
}

// What a score page may ask of its window: a frame style, an outer size, a colour to
// see through.
TEST_F(WindowTest, FrameStylesOuterSizeAndASeeThroughColour) {
    QtWindow window;
    window.setGeometry({100, 100, 400, 300});
    // Left half blue, right half magenta.
    platform::Image picture{40, 30, std::vector<std::uint32_t>(40 * 30, 0xff2040c0)};
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            picture.at(x, y) = 0xffff00ff;
    window.setPicture(picture);
    window.show();
    ASSERT_TRUE(spinUntil([&] { return window.widget()->windowHandle()->isExposed(); }));
    const WId id = window.widget()->winId();
    const auto type = [&] { return property(id, "_NET_WM_WINDOW_TYPE"); };

    using S = platform::BorderStyle;
    window.setBorderStyle(S::None);
    spinFor(100);
    EXPECT_TRUE(undecorated(id));
    window.setBorderStyle(S::Dialog);
    spinFor(100);
    EXPECT_FALSE(undecorated(id));
    EXPECT_TRUE(type().contains("_NET_WM_WINDOW_TYPE_DIALOG")) << type().toStdString();
    window.setBorderStyle(S::ToolWindow);
    spinFor(100);
    EXPECT_TRUE(type().contains("_NET_WM_WINDOW_TYPE_UTILITY")) << type().toStdString();
    EXPECT_EQ(window.widget()->winId(), id) << "a new style on the window it has";

    // A fixed frame keeps the size a page asks for; a sizeable one can be resized.
    window.setBorderStyle(S::Single);
    window.setFrameSize(500, 320);
    window.moveFrameTo(20, 30);
    ASSERT_TRUE(spinUntil([&] { return deviceGeometry(id).size() == QSize(500, 320); }))
        << "no window manager here: the outer size is the window's";
    EXPECT_EQ(window.frameGeometry().width, 500);
    EXPECT_EQ(window.widget()->minimumSize(), window.widget()->maximumSize());
    window.setBorderStyle(S::Sizeable);
    EXPECT_LT(window.widget()->minimumWidth(), window.widget()->maximumWidth());

    // The magenta half is see-through; a text that names no colour changes nothing.
    EXPECT_FALSE(window.setTransparentColor("no such colour"));
    EXPECT_TRUE(window.widget()->mask().isEmpty());
    ASSERT_TRUE(window.setTransparentColor("magenta"));
    ASSERT_TRUE(spinUntil([&] { return !window.widget()->mask().isEmpty(); }));
    const QRegion shape = window.widget()->mask();
    EXPECT_TRUE(shape.contains(QPoint(100, 160)));
    EXPECT_FALSE(shape.contains(QPoint(400, 160)));
    spinFor(200);
    const QImage seen = screenshot(deviceGeometry(id));
    ASSERT_FALSE(seen.isNull());
    EXPECT_EQ(seen.pixel(seen.width() / 4, seen.height() / 2) & 0xffffff, 0x2040c0u);
    EXPECT_NE(seen.pixel(seen.width() * 3 / 4, seen.height() / 2) & 0xffffff, 0xff00ffu)
        << "the magenta half is still drawn";
}

TEST_F(WindowTest, ResizesAreReportedOnceWhetherShownOrNot) {
    QtWindow window;
    std::vector<QSize> sizes;
    window.onResize = [&](int w, int h) { sizes.emplace_back(w, h); };
    window.setGeometry({20, 20, 300, 200});
    EXPECT_EQ(sizes, std::vector<QSize>{QSize(300, 200)}) << "a hidden window reports at once";
    window.show();
    spinUntil([&] { return window.widget()->windowHandle()->isExposed(); });
    spinFor(100);
    window.setGeometry({30, 30, 300, 200});
    window.setGeometry({30, 30, 420, 260});
    spinFor(200);
    EXPECT_EQ(sizes, (std::vector<QSize>{QSize(300, 200), QSize(420, 260)}));
    // Below the minimum the window keeps the minimum, and says so once.
    window.setMinimumSize(500, 300);
    window.setGeometry({30, 30, 100, 100});
    window.setGeometry({30, 30, 100, 100});
    spinFor(200);
    EXPECT_EQ(sizes.back(), QSize(500, 300));
    EXPECT_EQ(sizes.size(), 3u);
}

// A window with a GL view that clears to white and a black panel over it.
struct ViewAndPanel {
    explicit ViewAndPanel(const platform::Clock& clock) : viewer(&surface, clock) {
        window.setGeometry({80, 60, 320, 240});
        surface.setGeometry({0, 0, 320, 240});
        panel->setGeometry({0, 0, 320, 240});
        viewer.setScene(&scene);
        viewer.backgroundColor().setColor(1, 1, 1, 1);
    }
    QtWindow window;
    QtGlSurface surface{window.widget()};
    std::unique_ptr<platform::Widget> panel = window.createPanel(0xff000000);
    engine::TGLScene scene;
    engine::TGLSceneViewer viewer;
};

TEST_F(WindowTest, AShownPanelHidesTheGlView) {
    QtClock clock;
    ViewAndPanel w(clock);
    w.panel->hide();
    w.surface.show();
    w.window.show();
    ASSERT_TRUE(spinUntil([&] { return w.surface.framesPainted() >= 2; }));
    const QRect area = deviceGeometry(w.window.widget()->winId());
    auto white = [](QRgb p) { return qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240; };
    auto black = [](QRgb p) { return qRed(p) < 16 && qGreen(p) < 16 && qBlue(p) < 16; };
    auto settle = [&] {
        w.viewer.invalidate();
        spinFor(300);
        return screenshot(area);
    };
    EXPECT_GT(share(settle(), white), 0.99) << "the view alone";

    w.panel->show();
    EXPECT_GT(share(settle(), black), 0.99) << "the panel shown over the view";

    w.panel->hide();
    EXPECT_GT(share(settle(), white), 0.99) << "the panel hidden again";

    // The view shown while the panel is up stays under it.
    w.surface.hide();
    w.panel->show();
    w.surface.show();
    EXPECT_GT(share(settle(), black), 0.99) << "the view shown under a panel";
    w.panel->hide();
    EXPECT_GT(share(settle(), white), 0.99);
}

// A menu of three lines in the middle of a view, selected by the pointer.
TEST_F(WindowTest, TheMenuLineUnderThePointerIsTheOneDrawnThere) {
    QtClock clock;
    QtWindow window;
    window.setGeometry({40, 40, 320, 240});
    QtGlSurface surface(window.widget());
    surface.setGeometry({0, 0, 320, 240});
    engine::TGLScene scene;
    engine::TGLSceneViewer viewer(&surface, clock);
    viewer.setScene(&scene);
    QtFontRasterizer rasterizer;
    engine::TGLWindowsBitmapFont font;
    font.setRasterizer(&rasterizer);
    platform::FontSpec spec;
    spec.name = "Arial Narrow";
    spec.bold = true;
    spec.pixelSize = 24;
    font.setFont(spec);
    auto& menu = scene.objects().addNewChild<engine::TGLGameMenu>();
    menu.setFont(&font);
    menu.setItems({"Resume", "Restart", "Quit"});
    menu.setPosition(160, 120, 0);
    menu.setInactiveColor({0, 0, 1, 1});
    menu.setActiveColor({1, 0, 0, 1});
    viewer.onMouseMove = [&](int x, int y) { menu.mouseMenuSelect(x, y); };
    surface.show();
    window.show();
    ASSERT_TRUE(spinUntil([&] { return surface.framesPainted() >= 2; }));
    spinFor(300);

    const double ratio = window.widget()->devicePixelRatioF();
    const QRect area = deviceGeometry(window.widget()->winId());
    ASSERT_EQ(area.size(), QSize(320, 240) * ratio);
    const QImage frame = screenshot(area);
    ASSERT_FALSE(frame.isNull());

    // The rows of blue text, grouped into lines.
    struct Line {
        int top, bottom, left = 1 << 20, right = -1;
    };
    std::vector<Line> lines;
    for (int y = 0; y < frame.height(); ++y) {
        std::optional<std::pair<int, int>> row;
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb p = frame.pixel(x, y);
            if (qBlue(p) > 120 && qRed(p) < 60 && qGreen(p) < 60) row = {row ? row->first : x, x};
        }
        if (!row) continue;
        if (lines.empty() || y > lines.back().bottom + 2) lines.push_back({y, y});
        Line& l = lines.back();
        l.bottom = y;
        l.left = std::min(l.left, row->first);
        l.right = std::max(l.right, row->second);
    }
    ASSERT_EQ(lines.size(), 3u) << "three lines of text drawn";

    // Drawn where the menu's layout puts them, in the window's pixels times the ratio.
    EXPECT_NEAR((lines[1].left + lines[1].right) / 2.0, 160 * ratio, 4 * ratio);
    EXPECT_GT(lines[0].top, menu.boxTop() * ratio - 1);
    EXPECT_LT(lines[2].bottom, menu.boxBottom() * ratio + 1);

    auto pointAt = [&](int x, int y) {
        // Away first, so that the move to the target is a move.
        run("xdotool", {"mousemove", "0", "0"});
        spinFor(50);
        run("xdotool",
            {"mousemove", QString::number(area.left() + x), QString::number(area.top() + y)});
    };
    // A menu's selectable rows begin Spacing pixels below the top of each line drawn
    // (as the game's menus always have): point at the lowest rows of the text.
    const int up = int(ratio);
    pointAt((lines[1].left + lines[1].right) / 2, lines[1].bottom - up);
    EXPECT_TRUE(spinUntil([&] { return menu.selected() == 1; }))
        << "selected " << menu.selected() << " with the pointer on \"Restart\"";
    pointAt((lines[2].left + lines[2].right) / 2, lines[2].bottom - up);
    EXPECT_TRUE(spinUntil([&] { return menu.selected() == 2; }))
        << "selected " << menu.selected() << " with the pointer on \"Quit\"";
    pointAt(10, 10);
    EXPECT_TRUE(spinUntil([&] { return menu.selected() == -1; })) << "outside the box";

    // The line selected is drawn in the active colour where the pointer found it.
    menu.setSelected(1);
    spinFor(300);
    const QImage selected = screenshot(area);
    int red = 0;
    for (int y = lines[1].top; y <= lines[1].bottom; ++y)
        for (int x = lines[1].left; x <= lines[1].right; ++x)
            red += qRed(selected.pixel(x, y)) > 120 && qBlue(selected.pixel(x, y)) < 60;
    EXPECT_GT(red, 20);

    viewer.onMouseMove = nullptr;
}

// What a window manager sends a client whose window the user closes (Xvfb has none).
// The cadencer pump posts itself a message every cycle and handles pending messages
// inside it (TGLCadencer::progress -> processMessages); the window manager's close
// must still get through.
TEST_F(WindowTest, TheWindowManagersCloseGetsThroughWhileThePumpRuns) {
    QtClock clock;
    QtMessageLoop loop(clock);
    QtWindow window;
    window.setGeometry({30, 30, 200, 150});
    bool closed = false;
    window.onClose = [&] { closed = true; };
    window.show();
    ASSERT_TRUE(spinUntil([&] { return window.widget()->windowHandle()->isExposed(); }));

    int cycles = 0;
    bool pumping = true;
    std::function<void()> cycle = [&] {
        ++cycles;
        loop.processMessages();
        if (pumping) loop.post(cycle);
    };
    loop.post(cycle);
    ASSERT_TRUE(spinUntil([&] { return cycles > 100; }));
    ASSERT_TRUE(coilrun::testing::sendDeleteWindow(xcb_window_t(window.widget()->winId())));
    EXPECT_TRUE(spinUntil([&] { return closed; }, 5000)) << "after " << cycles << " cycles";
    pumping = false;
    spinFor(50);
}

} // namespace
} // namespace coilrun::qt

int main(int argc, char** argv) {
    coilrun::qt::setDefaultGlFormat();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
