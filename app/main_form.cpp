#include "app/main_form.h"

#include "app/settings.h"
#include "scene/assets/embedded_assets.h"
#include "scene/authored/load_authored_scene.h"

#include <charconv>
#include <cmath>

namespace coilrun {
namespace {

// The diffuse colour of a light, set blue first as the game always does.
void tone(engine::TGLLightSource& light, double r, double g, double b) {
    light.diffuse().setBlue(float(b));
    light.diffuse().setGreen(float(g));
    light.diffuse().setRed(float(r));
}

} // namespace

TForm1::TForm1(platform::Platform& platform, CadencerPump& pump)
    : platform_(platform), window_(platform.createWindow()),
      fontManager_(&platform.glyphOutlines()), soundContext_(platform.messageBoxes()) {
    auto& screen = platform.screen();
    window_->setGeometry({(screen.width() - 928) / 2, (screen.height() - 514) / 2, 928, 514});
    window_->setBackgroundColor(0xffffffff);
    window_->setCaption("Coilrun");
    window_->setIcon(scene::embeddedIconImages());
    window_->onClose = [this] { FormClose(); };

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
    scene::AuthoredSceneServices services{pump, sceneProgress_, fontManager_, soundContext_,
                                          *glscnvwr1};
    scene_ = scene::loadAuthoredScene(platform, services, handlers());
    findObjects();
    sceneProgress_.scene = glscn1;
    glscnvwr1->setScene(glscn1);

    FormCreate();
}

TForm1::~TForm1() {
    window_->onClose = nullptr;
    // The viewer lets go of the scene before the scene goes.
    glscnvwr1->setScene(nullptr);
    glscnvwr1->setCamera(nullptr);
    sceneProgress_.scene = nullptr;
}

scene::HandlerTable TForm1::handlers() {
    scene::HandlerTable table;
    table["runtimeTimer"] = std::function<void()>([this] { runtimeTimer(); });
    table["CadencerMenuProgress"] =
        TGLCadencer::ProgressEvent([this](TGLCadencer&, double deltaTime, double newTime) {
            CadencerMenuProgress(deltaTime, newTime);
        });
    return table;
}

void TForm1::findObjects() {
    // A name the window needs that the scene lacks stops the program here, at start-up.
    glscn1 = &scene_.get<engine::TGLScene>("glscn1");
    Camera1Menu = &scene_.get<engine::TGLCamera>("Camera1Menu");
    leftlight = &scene_.get<engine::TGLLightSource>("leftlight");
    rightlight = &scene_.get<engine::TGLLightSource>("rightlight");
    centerlight = &scene_.get<engine::TGLLightSource>("centerlight");
    xcenterlight = &scene_.get<engine::TGLLightSource>("xcenterlight");
    zcenterlight = &scene_.get<engine::TGLLightSource>("zcenterlight");
    TextBlack = &scene_.get<engine::TGLHUDText>("TextBlack");
    Soundsprite = &scene_.get<engine::TGLHUDSprite>("Soundsprite");
    Cadencer1 = &scene_.get<TGLCadencer>("Cadencer1");
    CadencerMenu = &scene_.get<TGLCadencer>("CadencerMenu");
    using Object = engine::TGLBaseSceneObject;
    glcpsl1 = &scene_.get<Object>("glcpsl1");
    glcblogo = &scene_.get<Object>("glcblogo");
    SpaceTextlogo = &scene_.get<Object>("SpaceTextlogo");
    Snake = &scene_.get<Object>("Snake");
    Stage = &scene_.get<Object>("Stage");
    speck = &scene_.get<Object>("speck");
}

void TForm1::FormCreate() {
    state_.countdown = 0;
    state_.bestScore = 0;
    state_.soundOn = true;
    state_.maxLevel = settings::readMaxLevel(platform_.settings());
    state_.snakeLength = 2;
    state_.rigSpin = 20.0;
    Cadencer1->setFixedDeltaTime(0.01);
    state_.musicClock = 1;
    leftlight->setConstAttenuation(100);
    rightlight->setConstAttenuation(100);
    for (const char* name :
         {"TextLevel1", "TextLevel2", "TextPause1", "TextTime", "TextCenter", "TextSound"})
        scene_.get<engine::TGLHUDText>(name).modulateColor().setAlpha(0);
    Soundsprite->setWidth(0);
    Soundsprite->setHeight(0);
    state_.toneHigh = 0.9;
    state_.toneMid = 0.5;
    state_.toneLow = 0.3;
    tone(*rightlight, state_.toneLow, state_.toneMid, state_.toneHigh);
    tone(*leftlight, state_.toneMid, state_.toneHigh, state_.toneLow);
}

void TForm1::show() {
    window_->show();
}

// The opening flight of the menu scene: the camera backs away from the maker's
// lettering while the black veil clears, then the menu scene is on show.
void TForm1::CadencerMenuProgress(double, double) {
    state_.toneHigh = 0.9;
    state_.toneMid = 0.5;
    state_.toneLow = 0.3;
    tone(*rightlight, state_.toneLow, state_.toneMid, state_.toneHigh);
    tone(*leftlight, state_.toneMid, state_.toneHigh, state_.toneLow);
    glcpsl1->roll(0.05f);
    glcblogo->roll(-0.01f);

    auto& pos = Camera1Menu->position();
    auto& veil = TextBlack->modulateColor();
    if (pos.z() == 3.0f) veil.setAlpha(1);
    veil.setAlpha(veil.alpha() - 0.0005f);
    const float clear = 1 - veil.alpha();
    if (pos.z() > -20) {
        pos.setZ(pos.z() - clear * 0.008f);
        pos.setY(pos.y() + clear * 0.0014f);
        Camera1Menu->direction().setY(Camera1Menu->direction().y() - clear * 0.0008f);
    }
    if (pos.z() > -2) {
        leftlight->setConstAttenuation(pos.z() - 5);
        rightlight->setConstAttenuation(pos.z() - 5);
    }
    if (pos.z() < -2) SpaceTextlogo->setVisible(false);

    glscnvwr1->setCamera(Camera1Menu);
    for (engine::TGLBaseSceneObject* o : {Snake, Stage, speck})
        o->setVisible(false);
    centerlight->ambient().setBlue(0.8f);
    centerlight->ambient().setGreen(0.8f);
    xcenterlight->setShining(false);
    zcenterlight->setShining(false);
    glscnvwr1Surface->show();
    pnl1->hide();
}

void TForm1::runtimeTimer() {
    state_.playSeconds += 1;
    window_->setCaption(formatStatusLine(state_.musicClock, state_.snakeLength,
                                         centerlight->constAttenuation(),
                                         glscnvwr1->framesPerSecond()));
    glscnvwr1->resetPerformanceMonitor();
    state_.musicDue = !state_.levelOver && state_.playSeconds >= 3;
}

void TForm1::FormClose() {
    settings::markCreatorIfMissing(platform_.settings());
    if (onClosed) onClosed();
}

std::string formatFramesPerSecond(double fps) {
    const double rounded = std::round(fps * 100.0) / 100.0;
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, rounded);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

std::string formatStatusLine(int musicClock, int snakeLength, double lightAttenuation, double fps) {
    // Rounded half to even, as the status line always has.
    const long light = std::lrint(lightAttenuation);
    return "Musictime = " + std::to_string(musicClock) +
           "        SnakeLength = " + std::to_string(snakeLength) +
           "        light = " + std::to_string(light) + "      fps = " + formatFramesPerSecond(fps);
}

} // namespace coilrun
