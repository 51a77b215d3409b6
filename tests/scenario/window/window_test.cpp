// The game window on the simulated platform: its view and the black panel over it
// follow the window's size, and closing it from outside ends the program.
#include "app/coilrun_app.h"
#include "game/settings/settings.h"
#include "tests/sim/sim_platform.h"

#include <gtest/gtest.h>

namespace coilrun {
namespace {

struct WindowScenario : ::testing::Test {
    WindowScenario() {
        // The score server answers at once: the game window shows in the first tick.
        platform.web.answer = [](const std::string&) {
            return sim::SimPage{sim::SimPage::Outcome::Failed, "", 0};
        };
        app = std::make_unique<CoilrunApp>(platform);
        platform.loopImpl.runFor(0.05);
    }
    sim::SimWindow& splash() { return *platform.windows.at(0); }
    sim::SimWindow& main() { return *platform.windows.at(1); }
    TForm1& form() { return app->mainForm(); }
    platform::Rect view() { return form().services().viewerSurface.geometry(); }
    platform::Rect veil() { return form().blackPanel().geometry(); }

    sim::SimPlatform platform;
    std::unique_ptr<CoilrunApp> app;
};

TEST_F(WindowScenario, ViewAndPanelFillTheClientAreaAtEverySize) {
    ASSERT_TRUE(main().visible);
    // The game's layout tick has already put the window over the whole screen.
    EXPECT_EQ(main().rect, (platform::Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(view(), (platform::Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(veil(), (platform::Rect{0, 0, 1280, 1024}));

    // Children are placed in the client area: moving the window leaves them at 0, 0.
    main().setGeometry({40, 30, 1280, 1024});
    EXPECT_EQ(view(), (platform::Rect{0, 0, 1280, 1024}));

    main().setGeometry({40, 30, 700, 500});
    EXPECT_EQ(view(), (platform::Rect{0, 0, 700, 500}));
    EXPECT_EQ(veil(), (platform::Rect{0, 0, 700, 500}));
}

TEST_F(WindowScenario, ResizeIsReportedOncePerNewSize) {
    std::vector<std::pair<int, int>> sizes;
    main().onResize = [&](int w, int h) { sizes.emplace_back(w, h); };
    main().setGeometry({0, 0, 1024, 768});
    main().setGeometry({0, 0, 1024, 768});
    main().setGeometry({5, 5, 1024, 768});
    main().setGeometry({5, 5, 1024, 700});
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{1024, 768}, {1024, 700}}));
}

TEST_F(WindowScenario, ClosingTheGameWindowEndsTheProgram) {
    // The window system's close (Alt+F4, the close button) reaches the window as close()
    // does, the same path Escape on the level-over screen takes.
    ASSERT_FALSE(platform.settingsImpl.keys[settings::kKeyPath].count(settings::kCreator));
    main().close();
    EXPECT_EQ(platform.settingsImpl.keys[settings::kKeyPath][settings::kCreator], "Velmora")
        << "FormClose ran";
    EXPECT_FALSE(main().visible);
    EXPECT_TRUE(splash().closed) << "the application's main window goes with it";
    EXPECT_FALSE(splash().visible);
    EXPECT_TRUE(platform.loopImpl.terminating());
    // Nothing runs after the loop has been told to end.
    const int shows = main().showCount;
    platform.loopImpl.runFor(30);
    EXPECT_EQ(main().showCount, shows);
}

} // namespace
} // namespace coilrun
