#include "app/coilrun_app.h"

#include "game/replay/run_file.h"
#include "game/replay/run_library.h"

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
    // The score browser's creation hides the splash, which start-up shows again at its
    // end; the splash is already on screen by then, and hiding it would make it blink.
    formWeb_->hideSplash = [this] {
        if (started_) splash_->window().hide();
    };
    formWeb_->closeOtherWindows = [this] {
        form1_->window().close();
        splash_->window().close();
    };
    formWeb_->onSkip = [this] {
        formWeb_->window().close(); // the game and splash windows close with it
        platform_.loop().quit();
    };
    formWeb_->onGoBack = [this] {
        form1_->runs().scoreBrowserGaveBack();
        form1_->show();
        form1_->links().asynctmrAllTime->setEnabled(true);
        form1_->window().setStayOnTop(true);
    };
    formWeb_->FormCreate();

    // Every quit hides the game and shows the score browser, which sends the run
    // report; the page it shows decides whether the program ends or the game resumes.
    services.quitToScoreBrowser = [this] {
        splash_->window().hide();
        form1_->window().setStayOnTop(false);
        formWeb_->window().show();
        // The session's best score comes with the run that made it, once.
        const int best = form1_->state().bestScore;
        const bool sendRun = !bestRunSent_ && best > 0 && bestRunScore_ == best;
        formWeb_->OnlineCount(best, sendRun ? bestRun_ : std::vector<std::uint8_t>());
        bestRunSent_ = bestRunSent_ || sendRun;
        form1_->window().hide();
    };
    services.openCreditPage = [this](const std::string& person) {
        platform::Window& main = form1_->window();
        main.setStayOnTop(false);
        form1_->links().asynctmrAllTime->setEnabled(false);
        platform::Rect r = main.geometry();
        r.top = r.height; // out of sight below the screen
        main.setGeometry(r);
        main.hide();
        formWeb_->showCreditPage(person);
    };

    // Every level played is kept, from its set-up to its level-over screen.
    form1_->runs().onRunComplete = [this](replay::RunRecord&& run) {
        replay::storeRun(platform_.runFolder(), run);
        if (run.summary.won && run.summary.score > bestRunScore_) {
            bestRunScore_ = run.summary.score;
            bestRun_ = replay::writeRunFile(run);
            bestRunSent_ = false;
        }
    };

    // The message loop shows the application's main window once everything exists.
    splash_->window().show();
    started_ = true;
}

CoilrunApp::~CoilrunApp() {
    splash_->window().onClose = nullptr;
    splash_->showMainWindow = nullptr;
    form1_->onClosed = nullptr;
    form1_->endProgram = nullptr;
}

} // namespace coilrun
