#include "app/splash_screen.h"

#include "online/score_server.h"
#include "scene/assets/embedded_assets.h"

#include <algorithm>
#include <cmath>

namespace coilrun {

TSplashScreen::TSplashScreen(platform::Platform& platform) : window_(platform.createWindow()) {
    auto& screen = platform.screen();
    window_->setBorderless(true);
    window_->setGeometry({(screen.width() - 262) / 2, (screen.height() - 182) / 2, 262, 182});
    window_->setCaption("Coilrun");
    window_->setPicture(splashPicture());
    window_->setIcon(scene::embeddedIconImages());

    platform::FontSpec tahoma;
    tahoma.name = "Tahoma";
    tahoma.pixelSize = 44;
    tahoma.color = 0xffffffff; // the window colour: white
    label2 = window_->createLabel("Loading...", tahoma, 8, 8);
    // On screen before the slow parts of start-up (the web engine, the scene), which
    // would keep the player looking at nothing for half a second.
    window_->show();
    window_->paintNow();

    // Almost wholly outside the window: it loads pages without being seen.
    wb1 = platform.createWebView(*window_);
    wb1->setGeometry({-288, -256, 289, 257});
    wb1->setSilent(true);
    wb1->onDocumentComplete = [this] { wb1DocumentComplete(); };

    timer2 = std::make_unique<TTimer>(platform.loop());
    timer2->setInterval(1000);
    timer2->setOnTimer([this] { timer2Timer(); });
    timer2->setEnabled(true);

    FormCreate();
}

TSplashScreen::~TSplashScreen() {
    if (wb1) wb1->onDocumentComplete = nullptr;
}

void TSplashScreen::FormCreate() {
    wb1->navigate(online::scoreServerPage("view.php"));
}

void TSplashScreen::wb1DocumentComplete() {
    const std::string location = wb1->locationName();
    // A bare address ("http://...") means the page had no title: no score list.
    if (location.size() >= 5 && location[4] == ':') {
        scoreListAvailable = false;
    } else {
        scoreListText = wb1->locationName();
        scoreListAvailable = true;
    }
    showMainWindowOnce();
}

void TSplashScreen::timer2Timer() {
    ++splashTicks;
    if (splashTicks == 20 || splashTicks == 21) showMainWindowOnce();
}

void TSplashScreen::showMainWindowOnce() {
    if (mainWindowShown_ || !showMainWindow) return;
    mainWindowShown_ = true;
    showMainWindow();
}

platform::Image splashPicture() {
    try {
        return scene::embeddedPicture("splash");
    } catch (const std::exception&) {
        // A build without its pictures still starts, with a drawn one.
        return drawSplashPicture(262, 182);
    }
}

platform::Image drawSplashPicture(int width, int height) {
    // A deep blue field with a soft glow and a row of shaded spheres.
    platform::Image image{width, height, std::vector<std::uint32_t>(std::size_t(width) * height)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double fx = double(x) / width, fy = double(y) / height;
            const double glow =
                std::exp(-((fx - 0.7) * (fx - 0.7) + (fy - 0.75) * (fy - 0.75)) * 6);
            double r = 8 + 40 * glow, g = 18 + 70 * glow, b = 48 + 120 * glow;
            for (int i = 0; i < 7; ++i) {
                const double cx = width * (0.18 + 0.11 * i);
                const double cy = height * (0.78 - 0.05 * std::sin(i * 0.9));
                const double radius = height * (0.075 - 0.004 * i);
                const double dx = (x - cx) / radius, dy = (y - cy) / radius;
                const double d2 = dx * dx + dy * dy;
                if (d2 < 1) {
                    const double shade = std::clamp(
                        0.35 + 0.65 * (-0.5 * dx - 0.6 * dy + 0.6 * std::sqrt(1 - d2)), 0.0, 1.0);
                    r = 40 + 100 * shade;
                    g = 150 + 105 * shade;
                    b = 60 + 60 * shade;
                }
            }
            image.at(x, y) = 0xff000000u | (std::uint32_t(std::min(r, 255.0)) << 16) |
                             (std::uint32_t(std::min(g, 255.0)) << 8) |
                             std::uint32_t(std::min(b, 255.0));
        }
    }
    return image;
}

} // namespace coilrun
