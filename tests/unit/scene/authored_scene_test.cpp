// The shipped scene, loaded as the game window loads it, checked against what
// the game expects to find in it.
#include "engine/hud/game_menu.h"
#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/objects/camera.h"
#include "engine/objects/capsule.h"
#include "engine/objects/cube.h"
#include "engine/objects/cylinder.h"
#include "engine/objects/light_source.h"
#include "engine/objects/sphere.h"
#include "engine/sound/sm_wave_out.h"
#include "engine/sound/sound_library.h"
#include "engine/text3d/space_text.h"
#include "engine/time/async_timer.h"
#include "engine/time/cadencer.h"
#include "engine/time/timer.h"
#include "scene/authored/load_authored_scene.h"
#include "tests/sim/sim_platform.h"

#include <gtest/gtest.h>

namespace coilrun::scene {
namespace {

using namespace engine;

struct AuthoredSceneTest : ::testing::Test {
    sim::SimPlatform platform;
    engine::CadencerPump pump{platform.clock(), platform.loop()};
    FontManager fonts{&platform.glyphOutlines()};
    SoundContext sound{platform.messageBoxes()};
    TGLSceneViewer viewer{nullptr, platform.clock()};
    AuthoredSceneServices services{pump, fonts, sound, viewer};
    HandlerTable handlers;
    LoadedScene s = loadAuthoredScene(platform, services, handlers);

    TGLBaseSceneObject& obj(const std::string& name) { return s.get<TGLBaseSceneObject>(name); }
};

TEST_F(AuthoredSceneTest, TopLevelObjectsInDrawingOrder) {
    const auto& root = s.get<TGLScene>("glscn1").objects();
    std::vector<std::string> names;
    for (const auto& c : root.children())
        names.push_back(c->name());
    EXPECT_EQ(names, (std::vector<std::string>{"DummyMenu", "Camera1Menu", "Dummy2", "Dummy1",
                                               "TextLevel1", "menuPause", "menuLevel", "menuMain2",
                                               "TextMain1", "TextBlackScore", "SpriteHowTo"}));
    std::vector<std::string> playfield;
    for (const auto& c : obj("Dummy1").children())
        playfield.push_back(c->name());
    EXPECT_EQ(playfield, (std::vector<std::string>{"DummyScreen", "Snake", "Stage", "speck",
                                                   "glcpsl1", "map2D", "map2Dsky"}));
}

TEST_F(AuthoredSceneTest, ExactlyThirtyNineSegmentsWithThreeHiddenConnectorsEach) {
    auto& snake = obj("Snake");
    int segments = 0, connectors = 0;
    for (const auto& c : snake.children()) {
        if (c->name() == "jumperball") continue;
        ++segments;
        ASSERT_NE(dynamic_cast<TGLSphere*>(c.get()), nullptr) << c->name();
        ASSERT_EQ(c->count(), 3u) << c->name();
        for (const char* axis : {"Y", "X", "Z"}) {
            auto* conn = dynamic_cast<TGLCylinder*>(c->findChild(c->name() + axis, true));
            ASSERT_NE(conn, nullptr) << c->name() << axis;
            EXPECT_FALSE(conn->visible());
            ++connectors;
        }
    }
    EXPECT_EQ(segments, 39);
    EXPECT_EQ(connectors, 117);
    EXPECT_FALSE(s.has("snake39"));
    EXPECT_FLOAT_EQ(s.get<TGLSphere>("snake0").radius(), 0.75f);
    EXPECT_FLOAT_EQ(s.get<TGLSphere>("snake38").radius(), 0.5f);
    EXPECT_EQ(obj("snake0").effects().size(), 1u);
    EXPECT_FLOAT_EQ(obj("snake0Y").scale().y(), 5);
    EXPECT_FLOAT_EQ(obj("snake7Y").scale().y(), 2);
    EXPECT_NEAR(obj("snake0Y").up().y(), -1, 1e-6);
    // The rolled connectors lie along X and Z: their local Y axis is there.
    EXPECT_NEAR(std::abs(obj("snake7X").up().x()), 1, 1e-5);
    EXPECT_NEAR(std::abs(obj("snake7Z").up().z()), 1, 1e-5);
    EXPECT_FLOAT_EQ(obj("snake7X").rollAngle(), 90);
}

TEST_F(AuthoredSceneTest, MapCubesFollowBothNamingRulesAndSharePositions) {
    auto name2D = [](int x, int z) {
        std::string name = "mapCube";
        for (int n : {x, z})
            name.append(n < 0 ? "n" : "").append(std::to_string(n < 0 ? -n : n));
        return name;
    };
    int cubes2D = 0, cubesSky = 0;
    for (const auto& c : obj("map2D").children())
        cubes2D += dynamic_cast<TGLCube*>(c.get()) != nullptr;
    for (const auto& c : obj("map2Dsky").children())
        cubesSky += dynamic_cast<TGLCube*>(c.get()) != nullptr;
    EXPECT_EQ(cubes2D, 49);
    EXPECT_EQ(cubesSky, 49);
    const std::vector<int> xs{0, 1, 2, 3, -1, -2, -3};
    std::size_t i = 0;
    for (int x : xs)
        for (int z = 3; z >= -3; --z, ++i) {
            auto& flat = obj("map2D").child(i);
            auto& sky = obj("map2Dsky").child(i);
            EXPECT_EQ(flat.name(), name2D(x, z));
            EXPECT_EQ(flat.position().x(), x);
            EXPECT_EQ(flat.position().z(), z);
            EXPECT_EQ(sky.position().x(), x) << sky.name();
            EXPECT_EQ(sky.position().z(), z) << sky.name();
            EXPECT_FALSE(flat.visible());
        }
    EXPECT_EQ(obj("mapCuben3n3").position().x(), -3);
    EXPECT_EQ(obj("mapCube0n1").position().z(), -1);
    EXPECT_EQ(obj("mapCube1").position().z(), 3);
    EXPECT_EQ(obj("mapCube9").position().z(), 2);
    EXPECT_EQ(obj("mapCube14").position().z(), 1);
    EXPECT_EQ(obj("mapCube61").position().x(), -3);
    // The sky map skips the numbers that are names of the floor map's cubes.
    for (const char* shared : {"mapCube10", "mapCube13", "mapCube20", "mapCube33"})
        EXPECT_EQ(obj(shared).parent(), &obj("map2D")) << shared;
}

TEST_F(AuthoredSceneTest, HiddenAtStartAndCollapsedLogoParts) {
    for (const char* name : {"DummyLogo", "DummyScreen", "jumperball", "sky", "earth", "skyline",
                             "menuLevel", "menuMain2", "TextMain1", "menuMain1", "TextBlackScore",
                             "menuhighscore", "SpriteHowTo", "ball1", "ball22"})
        EXPECT_FALSE(obj(name).visible()) << name;
    for (const char* name : {"Snake", "Stage", "speck", "TextLevel1", "menuPause", "ball001",
                             "bar1", "mapspeck", "mapspeck1"})
        EXPECT_TRUE(obj(name).visible()) << name;
    EXPECT_EQ(obj("ball001").scale().x(), 0) << "visible, yet collapsed until it grows";
    EXPECT_EQ(obj("bar7").scale().y(), 0);
    EXPECT_EQ(obj("logospeck").scale().z(), 0);
}

TEST_F(AuthoredSceneTest, ASampleOfAuthoredValues) {
    auto& cam = s.get<TGLCamera>("Camera");
    EXPECT_EQ(cam.position().z(), 17);
    EXPECT_EQ(cam.depthOfView(), 300);
    EXPECT_EQ(s.get<TGLCamera>("Camera1Menu").position().z(), 3);
    auto& left = s.get<TGLLightSource>("leftlight");
    EXPECT_EQ(left.position().x(), -1000);
    EXPECT_FLOAT_EQ(left.constAttenuation(), 1.2f);
    EXPECT_FLOAT_EQ(s.get<TGLLightSource>("rightlight").diffuse().red(), 0.576471f);
    EXPECT_FLOAT_EQ(s.get<TGLLightSource>("centerlight").ambient().red(), 1);
    auto& capsule = s.get<TGLCapsule>("glcpsl1");
    EXPECT_EQ(capsule.radius(), 10);
    EXPECT_EQ(capsule.scale().z(), -6);
    EXPECT_EQ(obj("speck").position().y(), 10);
    EXPECT_EQ(s.get<TGLSpaceText>("stagetextA").text(), "Press SPACE!");
    auto& pause = s.get<TGLGameMenu>("menuPause");
    EXPECT_EQ(pause.items(), (std::vector<std::string>{"Resume", "Restart", "Skip Level", "Quit"}));
    EXPECT_EQ(pause.spacing(), 1);
    EXPECT_EQ(s.get<TGLGameMenu>("menuMain1").spacing(), -8);
    EXPECT_FLOAT_EQ(s.get<TGLGameMenu>("menuLevel").inactiveColor().red(), 0.75f);
    EXPECT_EQ(s.get<TGLHUDText>("TextCenter").text(), "\"press an arrow key\"");
    EXPECT_EQ(s.get<TGLHUDText>("TextPause1").alignment(), TGLTextAlignment::taRightJustify);
    EXPECT_FLOAT_EQ(s.get<TGLHUDText>("TextTime").modulateColor().alpha(), 0.5f);
    EXPECT_EQ(s.get<TGLHUDSprite>("SpriteHowTo").width(), 160);
    EXPECT_EQ(obj("TextCenter").parent(), &obj("TextBlack"));
}

TEST_F(AuthoredSceneTest, ComponentsAndTheirSettings) {
    EXPECT_TRUE(s.get<engine::TGLCadencer>("CadencerMenu").enabled());
    EXPECT_DOUBLE_EQ(s.get<engine::TGLCadencer>("CadencerMenu").fixedDeltaTime(), 0.0025);
    for (const char* name : {"Cadencer1", "Cadencer2", "Cadencer3", "Cadencer4"})
        EXPECT_FALSE(s.get<engine::TGLCadencer>(name).enabled()) << name;
    for (const char* name : {"Cadencer1", "Cadencer2", "Cadencer3", "Cadencer4", "CadencerMenu"})
        EXPECT_EQ(s.get<engine::TGLCadencer>(name).scene(), &s.get<TGLScene>("glscn1"))
            << name << " advances the scene itself";
    EXPECT_EQ(s.get<engine::TTimer>("timermainmenumusic").interval(), 1013u);
    EXPECT_FALSE(s.get<engine::TTimer>("timerHT").enabled());
    EXPECT_EQ(s.get<engine::TAsyncTimer>("asynctmrtimerzoom").interval(), 5);
    EXPECT_TRUE(s.get<engine::TAsyncTimer>("asynctmrAllTime").enabled());
    EXPECT_EQ(s.get<TGLSoundLibrary>("SoundLibary1").samples().count(), 8u);
    // Of the two outputs stored as active, the one loaded last is the active one.
    EXPECT_TRUE(s.get<TGLSMWaveOut>("WAVoutMenu").active());
    EXPECT_FALSE(s.get<TGLSMWaveOut>("WAVout").active());
    EXPECT_EQ(s.get<TGLSMWaveOut>("WAVout").maxChannels(), 6);
    EXPECT_EQ(viewer.camera(), &s.get<TGLCamera>("Camera1Menu"));
    // Every handler the file names is one the game window must give.
    EXPECT_FALSE(s.missingHandlers.empty());
}

} // namespace
} // namespace coilrun::scene
