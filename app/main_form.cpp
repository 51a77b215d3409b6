#include "app/main_form.h"

#include "game/settings/settings.h"
#include "game/stage_presentation.h"
#include "scene/assets/embedded_assets.h"
#include "scene/authored/load_authored_scene.h"

#include <stdexcept>

namespace coilrun {

TForm1::TForm1(platform::Platform& platform, engine::CadencerPump& pump,
               platform::SettingsStore* settings)
    : platform_(platform), settings_(settings ? *settings : platform.settings()),
      window_(platform.createWindow()), fontManager_(&platform.glyphOutlines()),
      soundContext_(platform.messageBoxes()),
      controls_(platform.keyboard(), platform.cursor(), platform.gamepad()) {
    auto& screen = platform.screen();
    window_->setGeometry({(screen.width() - 928) / 2, (screen.height() - 514) / 2, 928, 514});
    window_->setBackgroundColor(0xffffffff);
    window_->setCaption("Coilrun");
    window_->setIcon(scene::embeddedIconImages());
    window_->onClose = [this] { FormClose(); };
    // Keys typed into the score browser or the splash are theirs, not the game's.
    platform.keyboard().listenTo(*window_);

    glscnvwr1Surface = platform.createGlSurface(*window_);
    glscnvwr1Surface->setGeometry({0, 0, 928, 514});
    glscnvwr1Surface->hide();
    glscnvwr1 = std::make_unique<engine::TGLSceneViewer>(glscnvwr1Surface.get(), platform.clock());
    glscnvwr1->setDpi(float(screen.dpi()));
    // Covers the viewer until it is shown.
    pnl1 = window_->createPanel(0xff000000);
    pnl1->setGeometry({0, 0, 928, 514});
    // The viewer and its veil fill the client area, whatever size the window takes.
    window_->onResize = [this](int width, int height) {
        glscnvwr1Surface->setGeometry({0, 0, width, height});
        pnl1->setGeometry({0, 0, width, height});
    };

    // The whole scene exists before the create handler runs.
    scene::AuthoredSceneServices services{pump, fontManager_, soundContext_, *glscnvwr1};
    scene_ = scene::loadAuthoredScene(platform, services, handlers());
    if (!scene_.missingHandlers.empty()) {
        std::string names;
        for (const std::string& n : scene_.missingHandlers)
            names += " " + n;
        throw std::runtime_error("the game window has no handler for" + names);
    }
    links_ = findSceneLinks(scene_);
    // Until the application connects them: no score list, and quitting ends the program.
    services_.emplace(GameServices{controls_, *window_, platform.screen(), settings_,
                                   platform.clock(), *pnl1, *glscnvwr1Surface, *glscnvwr1,
                                   soundContext_,
                                   [this] {
                                       if (endProgram) endProgram();
                                   },
                                   [] { return false; }, [] { return std::string(); },
                                   [this] { services_->endProgram(); }, [](const std::string&) {}});
    game_.emplace(Game{state_, links_, *services_});
    runs_.emplace(*game_, scene_);
    services_->levelSetUp = [this] { runs_->levelSetUp(); };
    glscnvwr1->setScene(links_.glscn1);

    FormCreate();
}

TForm1::~TForm1() {
    window_->onClose = nullptr;
    // The scene's objects go one by one below, and closing a sound's sink can run the
    // event loop: no frame or timer of the scene may run in between, on half of it.
    const SceneLinks& l = links_;
    for (engine::TGLCadencer* c :
         {l.Cadencer1, l.Cadencer2, l.Cadencer3, l.Cadencer4, l.CadencerMenu})
        if (c) c->setEnabled(false);
    for (engine::TTimer* t : {l.runtime, l.tmrmusic, l.timergametime, l.timerTitle, l.timermude,
                              l.timermainmenumusic, l.timerHT, l.timercountdown})
        if (t) t->setEnabled(false);
    for (engine::TAsyncTimer* t : {l.asynctmr1, l.asynctmrAllTime, l.asynctmrTimerMenu,
                                   l.asynctmrTimerMenu1, l.asynctmrtimerzoom})
        if (t) t->setEnabled(false);
    // The viewer lets go of the scene before the scene goes.
    glscnvwr1->setScene(nullptr);
    glscnvwr1->setCamera(nullptr);
}

void TForm1::FormCreate() {
    const SceneLinks& l = links_;
    state_.countdown = 0;
    state_.bestScore = 0;
    state_.soundOn = true;
    state_.maxLevel = settings::readMaxLevel(settings_);
    state_.snakeLength = 2;
    state_.rigSpin = 20.0;
    l.Cadencer1->setFixedDeltaTime(0.01);
    state_.musicClock = 1;
    l.leftlight->setConstAttenuation(100);
    l.rightlight->setConstAttenuation(100);
    for (engine::TGLHUDText* text : l.gameHud())
        setAlpha(*text, 0);
    l.Soundsprite->setWidth(0);
    l.Soundsprite->setHeight(0);
    state_.toneHigh = 0.9;
    state_.toneMid = 0.5;
    state_.toneLow = 0.3;
    toneSideLights(state_, l);
}

void TForm1::show() {
    // A game that covers the screen takes the keyboard when it appears: its menu only
    // listens while it has the focus, and play pauses without it.
    const bool wasVisible = window_->isVisible();
    window_->show();
    if (!wasVisible) window_->activate();
}

void TForm1::FormClose() {
    settings::markCreatorIfMissing(settings_);
    if (onClosed) onClosed();
}

} // namespace coilrun
