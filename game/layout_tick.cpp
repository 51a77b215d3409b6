#include "game/layout_tick.h"

#include "game/screen_layout.h"

namespace coilrun {

void asynctmrAllTimeTimer(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    platform::Window& window = game.services.mainWindow;
    const platform::Screen& screen = game.services.screen;

    l.Camera->setFocalLength(float(s.cameraFocal));
    window.setGeometry({0, 0, screen.width(), screen.height()});
    window.setStayOnTop(true);
    window.setBorderless(true);
    window.setMinimumSize(700, 500);
    const platform::Rect client = window.geometry();
    const int w = client.width, h = client.height;

    const SpriteBox page = howToPageBox(screen.width(), screen.height());
    l.SpriteHowTo->setHeight(float(page.height));
    l.SpriteHowTo->setWidth(float(page.width));
    l.SpriteHowTo->setPosition(float(page.x), float(page.y), l.SpriteHowTo->position().z());
    if (h < 800) l.WinBitmapFont1->setFontSize(pointsToPixels(hudFontPoints(h), screen.dpi()));
    l.Camera1Menu->setFocalLength(w / 20.0f);
    const MainMenuPlacement menu =
        mainMenuPlacement(w, h, pixelsToPoints(l.WinBitmapFont1->fontSize(), screen.dpi()));
    auto place = [](engine::TGLBaseSceneObject& o, PixelPoint p) {
        o.position().setX(float(p.x));
        o.position().setY(float(p.y));
    };
    place(*l.menuMain2, menu.lowerBlock);
    place(*l.TextMain1, menu.title);
    place(*l.menuMain1, menu.upperBlock);

    l.TextPause1->position().setX(float(w - 40));
    place(*l.TextTime, {w / 2.0, h - 100.0});
    l.TextCenter->position().setX(w / 2.0f);

    if (l.Cadencer4->enabled()) {
        l.TextCenter->position().setY(h / 2.0f - 100);
        l.menuPause->setVisible(true);
        place(*l.menuPause, {w / 2.0, h / 2.0 + 40});
        setAlpha(*l.TextBlack, 0.5);
    } else {
        if (l.menuPause->visible()) setAlpha(*l.TextBlack, 0);
        l.TextCenter->position().setY(h / 2.0f);
        l.menuPause->setVisible(false);
    }

    const double a = l.menuLevel->activeColor().alpha();
    place(*l.menuLevel, resultMenuPosition(w, h, a));
    const float menuX = l.menuLevel->position().x();
    place(*l.TextMenuLevel1, {menuX, h / 2.0 - 250 - (1 - a) * 5});
    place(*l.TextMenuLevel2, {menuX, l.TextMenuLevel1->position().y() + 80.0});

    place(*l.Soundsprite, {w - 55.0, h - 70.0});
    place(*l.TextSound, {w - 85.0, h - 85.0});
    l.TextSound->setText(s.soundOn ? "Press [m] to mute" : "Press [m] to unmute");

    if (!s.requestedDirection.empty() && !l.Cadencer4->enabled() && alphaOf(*l.TextCenter) > 0)
        setAlpha(*l.TextCenter, alphaOf(*l.TextCenter) - 0.05);
}

} // namespace coilrun
