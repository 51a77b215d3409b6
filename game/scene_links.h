#pragma once
#include "engine/hud/game_menu.h"
#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/hud/windows_bitmap_font.h"
#include "engine/input/user_interface.h"
#include "engine/objects/camera.h"
#include "engine/objects/capsule.h"
#include "engine/objects/cube.h"
#include "engine/objects/cylinder.h"
#include "engine/objects/dummy_cube.h"
#include "engine/objects/icosahedron.h"
#include "engine/objects/light_source.h"
#include "engine/objects/scene.h"
#include "engine/objects/sphere.h"
#include "engine/sound/sm_wave_out.h"
#include "engine/sound/sound_library.h"
#include "engine/text3d/space_text.h"
#include "engine/time/async_timer.h"
#include "engine/time/cadencer.h"
#include "engine/time/timer.h"

#include <array>

namespace coilrun::scene {
class LoadedScene;
}

namespace coilrun {

// Typed links to every object and component of the authored scene that the play
// and menu code use, looked up once when the game window is built. The scene owns
// them all; this record only points at them. Play code reaches objects through it
// and never looks an object up by name in a frame.
struct SceneLinks {
    static constexpr int kSegments = 39; // snake0 (the head) .. snake38
    static constexpr int kMapCubes = 49;

    // Frame pumps and timers.
    engine::TGLCadencer* Cadencer1 = nullptr;
    engine::TGLCadencer* Cadencer2 = nullptr;
    engine::TGLCadencer* Cadencer3 = nullptr;
    engine::TGLCadencer* Cadencer4 = nullptr;
    engine::TGLCadencer* CadencerMenu = nullptr;
    engine::TTimer* runtime = nullptr;
    engine::TTimer* tmrmusic = nullptr;
    engine::TTimer* timergametime = nullptr;
    engine::TTimer* timerTitle = nullptr;
    engine::TTimer* timermude = nullptr;
    engine::TTimer* timermainmenumusic = nullptr;
    engine::TTimer* timerHT = nullptr;
    engine::TTimer* timercountdown = nullptr;
    engine::TAsyncTimer* asynctmr1 = nullptr;
    engine::TAsyncTimer* asynctmrAllTime = nullptr;
    engine::TAsyncTimer* asynctmrTimerMenu = nullptr;
    engine::TAsyncTimer* asynctmrTimerMenu1 = nullptr;
    engine::TAsyncTimer* asynctmrtimerzoom = nullptr;

    // Sound, pictures, lettering, mouse look.
    engine::TGLSMWaveOut* WAVout = nullptr;
    engine::TGLSMWaveOut* WAVoutMenu = nullptr;
    engine::TGLSoundLibrary* SoundLibary1 = nullptr;
    engine::TGLWindowsBitmapFont* WinBitmapFont1 = nullptr;
    engine::TGLUserInterface* GLUserInterface1 = nullptr;

    // The scene, its cameras and lights.
    engine::TGLScene* glscn1 = nullptr;
    engine::TGLCamera* Camera = nullptr;
    engine::TGLCamera* Camera1Menu = nullptr;
    engine::TGLLightSource* centerlight = nullptr;
    engine::TGLLightSource* leftlight = nullptr;
    engine::TGLLightSource* rightlight = nullptr;
    engine::TGLLightSource* xcenterlight = nullptr;
    engine::TGLLightSource* zcenterlight = nullptr;
    engine::TGLCube* skyline = nullptr;

    // The menu scene.
    engine::TGLDummyCube* DummyMenu = nullptr;
    engine::TGLSpaceText* SpaceTextlogo = nullptr;
    engine::TGLCube* glcblogo = nullptr;
    engine::TGLDummyCube* DummyLogo = nullptr;
    // The title logo: corner balls ball1..ball22 at [1..22], head balls ball001..
    // ball006 at [1..6], bars bar1..bar22 at [1..22] (index 0 unused).
    std::array<engine::TGLSphere*, 23> logoBall{};
    std::array<engine::TGLSphere*, 7> logoHead{};
    std::array<engine::TGLCylinder*, 23> logoBar{};
    engine::TGLDummyCube* Dummy3D = nullptr;
    engine::TGLSpaceText* SpaceText3D = nullptr;
    engine::TGLIcosahedron* logospeck = nullptr;

    // The playfield group.
    engine::TGLDummyCube* Dummy1 = nullptr;
    engine::TGLDummyCube* Dummy2 = nullptr;
    engine::TGLDummyCube* DummyScreen = nullptr;
    engine::TGLDummyCube* screentext = nullptr;
    engine::TGLDummyCube* screenflimer = nullptr;
    engine::TGLSpaceText* stagetext1 = nullptr;
    engine::TGLSpaceText* stagetext2 = nullptr;
    engine::TGLSpaceText* stagetextA = nullptr;
    engine::TGLSpaceText* stagetextB = nullptr;
    engine::TGLDummyCube* Snake = nullptr;
    engine::TGLSphere* jumperball = nullptr;
    // snake[0] is the head; connectorY/X/Z[k] are sphere k's connectors.
    std::array<engine::TGLSphere*, kSegments> snake{};
    std::array<engine::TGLCylinder*, kSegments> connectorY{};
    std::array<engine::TGLCylinder*, kSegments> connectorX{};
    std::array<engine::TGLCylinder*, kSegments> connectorZ{};
    engine::TGLIcosahedron* speck = nullptr;
    engine::TGLCapsule* glcpsl1 = nullptr;

    // The stage: its indicators and the parts the flat stage of level 1 stretches or hides.
    engine::TGLDummyCube* Stage = nullptr;
    engine::TGLDummyCube* Dummyup = nullptr;
    engine::TGLDummyCube* Dummydown = nullptr;
    std::array<engine::TGLSceneObject*, 8> stretchedInFlatStage{}; // Scale Z 100 when flat
    std::array<engine::TGLCube*, 4> hiddenInFlatStage{};           // glcb7, glcb8, glcb3, glcb4

    // The level maps: map2D's cube of column (x, z) at [x + 3][z + 3], and the
    // map2Dsky cube that copies it at the same place.
    engine::TGLDummyCube* map2D = nullptr;
    engine::TGLDummyCube* map2Dsky = nullptr;
    std::array<std::array<engine::TGLCube*, 7>, 7> mapCube{};
    std::array<std::array<engine::TGLCube*, 7>, 7> skyMapCube{};
    engine::TGLCylinder* mapspeck = nullptr;
    engine::TGLCylinder* mapspeck1 = nullptr;

    // HUD texts, sprites and menus.
    engine::TGLHUDText* TextLevel1 = nullptr;
    engine::TGLHUDText* TextLevel2 = nullptr;
    engine::TGLHUDText* TextPause1 = nullptr;
    engine::TGLHUDText* TextTime = nullptr;
    engine::TGLHUDText* TextCenter = nullptr;
    engine::TGLHUDText* TextSound = nullptr;
    engine::TGLHUDText* TextBlack = nullptr;
    engine::TGLHUDText* TextMenuLevel1 = nullptr;
    engine::TGLHUDText* TextMenuLevel2 = nullptr;
    engine::TGLHUDText* TextMain1 = nullptr;
    engine::TGLHUDText* TextBlackScore = nullptr;
    engine::TGLHUDSprite* Soundsprite = nullptr;
    engine::TGLHUDSprite* SpriteHowTo = nullptr;
    engine::TGLGameMenu* menuPause = nullptr;
    engine::TGLGameMenu* menuLevel = nullptr;
    engine::TGLGameMenu* menuMain1 = nullptr;
    engine::TGLGameMenu* menuMain2 = nullptr;
    engine::TGLGameMenu* menuhighscore = nullptr;

    // The HUD texts the game fades in and out together.
    std::array<engine::TGLHUDText*, 6> gameHud() const {
        return {TextLevel1, TextLevel2, TextPause1, TextTime, TextCenter, TextSound};
    }
};

// Finds every object of the record in a loaded scene. Throws std::runtime_error
// naming the first object that is missing or of another class, so that a scene
// that does not fit the game stops it at start-up.
SceneLinks findSceneLinks(const scene::LoadedScene& scene);

// The names the two level maps give the cube of column (x, z), each in -3..3:
// "mapCube" + x + z with "n" before a negative digit ("mapCuben3n3"), and in the
// sky map a running number in the authored order that skips 10-13, 20-23 and
// 30-33 ("mapCube1" .. "mapCube61").
std::string groundMapCubeName(int x, int z);
std::string skyMapCubeName(int x, int z);

} // namespace coilrun
