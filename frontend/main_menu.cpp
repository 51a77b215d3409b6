#include "frontend/main_menu.h"

#include "game/hud_texts.h"
#include "game/screen_layout.h"

#include <algorithm>

namespace coilrun {

std::vector<std::string> mainMenuUpperItems() {
    return {kPlayItem, " ", "CHOOSE LEVEL"};
}
std::vector<std::string> mainMenuLowerItems() {
    return {"HIGH SCORE", "CREDITS", " ", "QUIT"};
}
std::vector<std::string> levelListUpperItems() {
    return {kPlayItem, " ", kGoBack};
}

std::vector<OverlayLine> creditLines() {
    return {{"C O I L R U N"},
            {""},
            {"Developed and Realized by"},
            {kDeveloper, OverlayLink::velmoraPage},
            {""},
            {"Music Composed by"},
            {kComposer, OverlayLink::kestrinPage},
            {""},
            {kGoBack, OverlayLink::goBack}};
}

std::vector<OverlayLine> howToLines() {
    std::vector<OverlayLine> lines(8);
    lines.push_back({kQuitGame, OverlayLink::quitGame});
    lines.push_back({kGoBack, OverlayLink::goBack});
    return lines;
}

std::vector<OverlayLine> scoreListOverlay(const std::vector<std::string>& lines) {
    std::vector<OverlayLine> overlay;
    for (const std::string& line : lines)
        overlay.push_back({line});
    if (!overlay.empty()) overlay.back().link = OverlayLink::goBack;
    return overlay;
}

namespace {

// The list at the centre as far as the window's height allows: a list taller than
// the window is drawn closer, and past that the lines before its last two (a blank
// line and the way back) are left out, so that the way back can always be clicked.
void showListAtCentre(Game& game, const std::vector<OverlayLine>& lines) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    engine::TGLGameMenu& menu = *l.menuhighscore;
    if (!s.overlaySpacing) s.overlaySpacing = menu.spacing();
    const OverlayListFit fit =
        overlayListFit(game.services.mainWindow.geometry().height, l.TextCenter->position().y(),
                       menu.font() ? menu.font()->charHeight() : 0, menu.marginVert(),
                       *s.overlaySpacing, int(lines.size()));
    menu.setSpacing(fit.spacing);
    const std::size_t shown = std::size_t(fit.lines);
    const std::size_t tail = std::min<std::size_t>(shown, 2);
    menu.clearItems();
    s.overlayLinks.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i >= shown - tail && i < lines.size() - tail) continue;
        menu.addItem(lines[i].text);
        s.overlayLinks.push_back(lines[i].link);
    }
    menu.position().setX(l.TextCenter->position().x());
    menu.position().setY(float(fit.centreY));
    menu.setVisible(true);
    l.TextBlackScore->setVisible(true);
}

} // namespace

void openOverlayList(Game& game, const std::vector<OverlayLine>& lines) {
    const SceneLinks& l = game.links;
    game.state.overlayOpen = true;
    l.TextMain1->setVisible(false);
    l.menuMain1->setVisible(false);
    l.menuMain2->setVisible(false);
    showListAtCentre(game, lines);
}

void openResultOverlay(Game& game, const std::vector<OverlayLine>& lines) {
    GameState& s = game.state;
    const SceneLinks& l = game.links;
    l.timercountdown->setEnabled(false);
    s.countdown = 0;
    l.TextMenuLevel2->setText(levelTitle(s.level));
    s.overlayOpen = true;
    showListAtCentre(game, lines);
}

void closeOverlayList(Game& game) {
    const SceneLinks& l = game.links;
    if (!l.menuLevel->visible()) {
        l.TextMain1->setVisible(true);
        l.menuMain1->setVisible(true);
        l.menuMain2->setVisible(true);
    }
    game.state.overlayOpen = false;
    game.state.overlayLinks.clear();
    l.menuhighscore->clearItems();
    l.menuhighscore->setVisible(false);
    l.TextBlackScore->setVisible(false);
    if (l.timerHT->enabled()) {
        l.timerHT->setEnabled(false);
        l.SpriteHowTo->setVisible(false);
    }
}

void IntToLevel(Game& game) {
    const SceneLinks& l = game.links;
    const std::string picked = l.menuMain2->selectedText();
    if (picked.empty() || picked[0] != 'L') return;
    l.asynctmrTimerMenu1->setEnabled(true);
    game.state.levelPicked = true;
    l.TextMain1->setText("LEVEL " + std::to_string(levelNumberAfterPrefix(picked)));
}

} // namespace coilrun
