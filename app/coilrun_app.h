#pragma once
#include "app/main_form.h"
#include "app/splash_screen.h"
#include "app/web_form.h"

#include <memory>

namespace coilrun {

// The program: its three windows, created in order and living until the end.
// The splash is the application's main window: closing it ends the program.
class CoilrunApp {
public:
    explicit CoilrunApp(platform::Platform& platform);
    ~CoilrunApp();

    TSplashScreen& splash() { return *splash_; }
    TForm1& mainForm() { return *form1_; }
    TFormWeb& webForm() { return *formWeb_; }

private:
    platform::Platform& platform_;
    engine::CadencerPump pump_;
    std::unique_ptr<TSplashScreen> splash_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TFormWeb> formWeb_;
    bool started_ = false; // every window made and the splash shown
    // The file of the session's best won run, and whether the server has it.
    std::vector<std::uint8_t> bestRun_;
    int bestRunScore_ = 0;
    bool bestRunSent_ = false;
};

} // namespace coilrun
