#include "frontend/pointer_actions.h"

#include "frontend/level_list.h"
#include "frontend/main_menu.h"
#include "frontend/start_game.h"
#include "game/pause_screen.h"
#include "online/score_list.h"

namespace coilrun {
namespace {

bool startsWith(const std::string& text, char c) {
    return !text.empty() && text[0] == c;
}

// What the overlay's selected line leads to, by its place in the list.
OverlayLink selectedOverlayLink(const Game& game) {
    const int line = game.links.menuhighscore->selected();
    const std::vector<OverlayLink>& links = game.state.overlayLinks;
    return line >= 0 && std::size_t(line) < links.size() ? links[std::size_t(line)]
                                                         : OverlayLink::none;
}

} // namespace

void lightOverlayLinks(const Game& game) {
    engine::TGLGameMenu& menu = *game.links.menuhighscore;
    engine::TGLColor& active = menu.activeColor();
    if (selectedOverlayLink(game) != OverlayLink::none)
        active.setColor(1, 1, 1, active.alpha());
    else
        active.assign(menu.inactiveColor());
}

namespace {

void mainMenuUpperBlock(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    const int selected = l.menuMain1->selected();
    if (selected == 0) {
        StartGame(game);
    } else if (selected == 2) {
        if (startsWith(l.menuMain1->selectedText(), '<')) {
            s.levelListMode = false;
            l.menuMain1->setItems(mainMenuUpperItems());
            l.menuMain2->setItems(mainMenuLowerItems());
        } else {
            s.levelListMode = true;
            l.menuMain1->setItems(levelListUpperItems());
            const LevelListPage page = firstLevelListPage(s.maxLevel);
            l.menuMain2->setItems(page.items);
            if (s.maxLevel > 5) s.listTop = page.listTop;
        }
    }
}

void mainMenuLowerBlock(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    const int selected = l.menuMain2->selected();
    if (selected < 0) return;
    if (s.levelListMode) IntToLevel(game);
    const std::string text = l.menuMain2->selectedText();
    switch (selected) {
    case 0:
        if (text == "^") {
            const LevelListPage page = levelListScrolledUp(s.listTop, s.maxLevel);
            s.listTop = page.listTop;
            l.menuMain2->setItems(page.items);
        }
        if (l.menuMain2->selectedText() == "HIGH SCORE")
            openOverlayList(
                game, scoreListOverlay(online::scoreListLines(game.services.scoreListAvailable(),
                                                              game.services.scoreListText())));
        break;
    case 1:
        if (startsWith(text, 'C')) openOverlayList(game, creditLines());
        break;
    case 3:
        if (!startsWith(text, 'L')) {
            l.WAVoutMenu->setActive(false);
            game.services.quitToScoreBrowser();
        }
        break;
    case 4:
        if (text == "v") {
            const LevelListPage page = levelListScrolledDown(s.listTop, s.maxLevel);
            s.listTop = page.listTop;
            l.menuMain2->setItems(page.items);
        }
        break;
    default:
        break;
    }
}

// Leaves the pause screen: the pause text goes and play goes on.
void leavePause(Game& game) {
    const SceneLinks& l = game.links;
    l.timermude->setEnabled(true);
    setAlpha(*l.TextCenter, 0);
    resumeGame(game);
}

void restartLevel(Game& game) {
    GameState& s = game.state;
    s.levelOver = true;
    s.restartRequested = true;
    leavePause(game);
    s.controlsActive = true;
    s.stepping = false;
}

void pauseMenu(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    switch (l.menuPause->selected()) {
    case 0:
        leavePause(game);
        break;
    case 1:
        restartLevel(game);
        break;
    case 2:
        if (s.level < s.maxLevel) {
            s.level += 1;
            restartLevel(game);
        }
        break;
    case 3:
        l.WAVout->setActive(false);
        game.services.quitToScoreBrowser();
        break;
    default:
        break;
    }
}

void resultMenu(Game& game) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    switch (l.menuLevel->selected()) {
    case 0:
        s.startRequested = true;
        s.countdown = 0;
        break;
    case 2:
        openResultOverlay(game, howToLines());
        l.SpriteHowTo->setVisible(true);
        l.timerHT->setEnabled(true);
        break;
    case 4:
        openResultOverlay(game, creditLines());
        break;
    default:
        break;
    }
}

void overlayList(Game& game) {
    switch (selectedOverlayLink(game)) {
    case OverlayLink::goBack:
        closeOverlayList(game);
        break;
    case OverlayLink::kestrinPage:
        game.services.openCreditPage(kComposer);
        break;
    case OverlayLink::velmoraPage:
        game.services.openCreditPage(kDeveloper);
        break;
    case OverlayLink::quitGame:
        game.links.WAVout->setActive(false);
        game.services.quitToScoreBrowser();
        break;
    case OverlayLink::none:
        break;
    }
}

} // namespace

void glscnvwr1MouseMove(Game& game, int x, int y) {
    const SceneLinks& l = game.links;
    l.menuPause->mouseMenuSelect(x, y);
    if (l.TextBlackScore->visible())
        l.menuLevel->mouseMenuSelect(0, 0);
    else
        l.menuLevel->mouseMenuSelect(x, y);
    l.menuMain1->mouseMenuSelect(x, y);
    l.menuMain2->mouseMenuSelect(x, y);
    l.menuhighscore->mouseMenuSelect(x, y);
    lightOverlayLinks(game);
}

void glscnvwr1MouseDown(Game& game, int, int, int) {
    const SceneLinks& l = game.links;
    // Only the pause screen, the result screen and the menu scene have menus to click.
    if (!(l.Cadencer4->enabled() || game.state.levelOver || l.Camera1Menu->visible())) return;
    // A hidden menu keeps the selection the pointer made on its last box: the click is
    // for the menus on the screen as it was clicked, not for those an earlier action
    // of the same click opens or leaves behind.
    const bool upperShown = l.menuMain1->isShown(), lowerShown = l.menuMain2->isShown();
    const bool pauseShown = l.menuPause->isShown(), resultShown = l.menuLevel->isShown();
    const bool overlayShown = l.menuhighscore->isShown();
    if (!game.state.overlayOpen) {
        if (!l.menuLevel->visible()) {
            if (upperShown) mainMenuUpperBlock(game);
            if (lowerShown) mainMenuLowerBlock(game);
        }
        if (pauseShown) pauseMenu(game);
        if (resultShown) resultMenu(game);
    }
    if (overlayShown) overlayList(game);
}

} // namespace coilrun
