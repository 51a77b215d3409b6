#include "app/splash_screen.h"

#include "online/score_server.h"
#include "scene/assets/embedded_assets.h"

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
    window_->prepareForWebView();
    window_->show();
    window_->paintNow();

    // Almost wholly outside the window: it loads pages without being seen.
    wb1 = platform.createWebView(*window_);
    wb1->setGeometry({-288, -256, 289, 257});
    wb1->setSilent(true);
    wb1->onDocumentComplete = [this] { wb1DocumentComplete(); };

    timer2 = std::make_unique<engine::TTimer>(platform.loop());
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
    // A bare address means the page had no title or did not load: no score list. An
    // "http:" address has ":" as its fifth character (so has the server's own title
    // for a list it cannot read); an "https:" one has it as its sixth.
    const bool bareAddress =
        (location.size() >= 5 && location[4] == ':') || location.rfind("https://", 0) == 0;
    if (bareAddress) {
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
    return scene::embeddedPicture("splash");
}

} // namespace coilrun
