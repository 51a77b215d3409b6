#include "app/coilrun_app.h"

namespace coilrun {

CoilrunApp::CoilrunApp(platform::Platform& platform)
    : platform_(platform), pump_(platform.clock(), platform.loop()) {
    splash_ = std::make_unique<TSplashScreen>(platform);
    splash_->window().onClose = [this] { platform_.loop().quit(); };

    form1_ = std::make_unique<TForm1>(platform, pump_);
    splash_->showMainWindow = [this] { form1_->show(); };
    form1_->onClosed = [this] { splash_->window().close(); };
    GameServices& services = form1_->services();
    services.scoreListAvailable = [this] { return splash_->scoreListAvailable; };
    services.scoreListText = [this] { return splash_->scoreListText; };
    form1_->endProgram = [this] {
        form1_->window().close();
        splash_->window().close();
    };

    formWeb_ = std::make_unique<TFormWeb>(platform);
    formWeb_->hideSplash = [this] { splash_->window().hide(); };
    formWeb_->closeOtherWindows = [this] {
        form1_->window().close();
        splash_->window().close();
    };
    formWeb_->FormCreate();

    // The message loop shows the application's main window once everything exists.
    splash_->window().show();
}

CoilrunApp::~CoilrunApp() {
    splash_->window().onClose = nullptr;
    splash_->showMainWindow = nullptr;
    form1_->onClosed = nullptr;
    form1_->endProgram = nullptr;
}

} // namespace coilrun
