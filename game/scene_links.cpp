#include "game/scene_links.h"

#include "scene/loader/scene_loader.h"

namespace coilrun {
namespace {

// A coordinate as the ground map writes it: the digit, "n" before a negative one.
std::string digit(int v) {
    std::string out = std::to_string(v < 0 ? -v : v);
    if (v < 0) out.insert(out.begin(), 'n');
    return out;
}

// Position of column x in the maps' authored order: 0, 1, 2, 3, -1, -2, -3.
int authoredColumnOrder(int x) {
    return x >= 0 ? x : 3 - x;
}

} // namespace

std::string groundMapCubeName(int x, int z) {
    return "mapCube" + digit(x) + digit(z);
}

std::string skyMapCubeName(int x, int z) {
    const int i = authoredColumnOrder(x) * 7 + (3 - z);
    int number;
    if (i < 9)
        number = i + 1;
    else if (i < 15)
        number = 14 + (i - 9);
    else if (i < 21)
        number = 24 + (i - 15);
    else
        number = 34 + (i - 21);
    return "mapCube" + std::to_string(number);
}

SceneLinks findSceneLinks(const scene::LoadedScene& s) {
    using namespace engine;
    SceneLinks l;
    auto get = [&s]<class T>(T*& slot, const std::string& name) { slot = &s.get<T>(name); };

    get(l.Cadencer1, "Cadencer1");
    get(l.Cadencer2, "Cadencer2");
    get(l.Cadencer3, "Cadencer3");
    get(l.Cadencer4, "Cadencer4");
    get(l.CadencerMenu, "CadencerMenu");
    get(l.runtime, "runtime");
    get(l.tmrmusic, "tmrmusic");
    get(l.timergametime, "timergametime");
    get(l.timerTitle, "timerTitle");
    get(l.timermude, "timermude");
    get(l.timermainmenumusic, "timermainmenumusic");
    get(l.timerHT, "timerHT");
    get(l.timercountdown, "timercountdown");
    get(l.asynctmr1, "asynctmr1");
    get(l.asynctmrAllTime, "asynctmrAllTime");
    get(l.asynctmrTimerMenu, "asynctmrTimerMenu");
    get(l.asynctmrTimerMenu1, "asynctmrTimerMenu1");
    get(l.asynctmrtimerzoom, "asynctmrtimerzoom");

    get(l.WAVout, "WAVout");
    get(l.WAVoutMenu, "WAVoutMenu");
    get(l.SoundLibary1, "SoundLibary1");
    get(l.WinBitmapFont1, "WinBitmapFont1");
    get(l.GLUserInterface1, "GLUserInterface1");

    get(l.glscn1, "glscn1");
    get(l.Camera, "Camera");
    get(l.Camera1Menu, "Camera1Menu");
    get(l.centerlight, "centerlight");
    get(l.leftlight, "leftlight");
    get(l.rightlight, "rightlight");
    get(l.xcenterlight, "xcenterlight");
    get(l.zcenterlight, "zcenterlight");
    get(l.skyline, "skyline");

    get(l.DummyMenu, "DummyMenu");
    get(l.SpaceTextlogo, "SpaceTextlogo");
    get(l.glcblogo, "glcblogo");
    get(l.DummyLogo, "DummyLogo");
    for (int i = 1; i <= 22; ++i) {
        get(l.logoBall[i], "ball" + std::to_string(i));
        get(l.logoBar[i], "bar" + std::to_string(i));
    }
    for (int i = 1; i <= 6; ++i)
        get(l.logoHead[i], "ball00" + std::to_string(i));
    get(l.Dummy3D, "Dummy3D");
    get(l.SpaceText3D, "SpaceText3D");
    get(l.logospeck, "logospeck");

    get(l.Dummy1, "Dummy1");
    get(l.Dummy2, "Dummy2");
    get(l.DummyScreen, "DummyScreen");
    get(l.screentext, "screentext");
    get(l.screenflimer, "screenflimer");
    get(l.stagetext1, "stagetext1");
    get(l.stagetext2, "stagetext2");
    get(l.stagetextA, "stagetextA");
    get(l.stagetextB, "stagetextB");
    get(l.Snake, "Snake");
    get(l.jumperball, "jumperball");
    for (int k = 0; k < SceneLinks::kSegments; ++k) {
        const std::string name = "snake" + std::to_string(k);
        get(l.snake[k], name);
        get(l.connectorY[k], name + "Y");
        get(l.connectorX[k], name + "X");
        get(l.connectorZ[k], name + "Z");
    }
    get(l.speck, "speck");
    get(l.glcpsl1, "glcpsl1");

    get(l.Stage, "Stage");
    get(l.Dummyup, "Dummyup");
    get(l.Dummydown, "Dummydown");
    const char* stretched[] = {"cylinder3", "cylinder4", "cylinder6", "Cyearth3",
                               "snake02",   "snake01",   "snake05",   "snake06"};
    for (std::size_t i = 0; i < l.stretchedInFlatStage.size(); ++i)
        get(l.stretchedInFlatStage[i], stretched[i]);
    const char* hidden[] = {"glcb7", "glcb8", "glcb3", "glcb4"};
    for (std::size_t i = 0; i < l.hiddenInFlatStage.size(); ++i)
        get(l.hiddenInFlatStage[i], hidden[i]);

    get(l.map2D, "map2D");
    get(l.map2Dsky, "map2Dsky");
    for (int x = -3; x <= 3; ++x)
        for (int z = -3; z <= 3; ++z) {
            get(l.mapCube[x + 3][z + 3], groundMapCubeName(x, z));
            get(l.skyMapCube[x + 3][z + 3], skyMapCubeName(x, z));
        }
    get(l.mapspeck, "mapspeck");
    get(l.mapspeck1, "mapspeck1");

    get(l.TextLevel1, "TextLevel1");
    get(l.TextLevel2, "TextLevel2");
    get(l.TextPause1, "TextPause1");
    get(l.TextTime, "TextTime");
    get(l.TextCenter, "TextCenter");
    get(l.TextSound, "TextSound");
    get(l.TextBlack, "TextBlack");
    get(l.TextMenuLevel1, "TextMenuLevel1");
    get(l.TextMenuLevel2, "TextMenuLevel2");
    get(l.TextMain1, "TextMain1");
    get(l.TextBlackScore, "TextBlackScore");
    get(l.Soundsprite, "Soundsprite");
    get(l.SpriteHowTo, "SpriteHowTo");
    get(l.menuPause, "menuPause");
    get(l.menuLevel, "menuLevel");
    get(l.menuMain1, "menuMain1");
    get(l.menuMain2, "menuMain2");
    get(l.menuhighscore, "menuhighscore");
    return l;
}

} // namespace coilrun
