#include "frontend/pad_menus.h"

#include "frontend/main_menu.h"
#include "frontend/pointer_actions.h"

#include <vector>

namespace coilrun {
namespace {

using engine::TGLGameMenu;

struct Line {
    TGLGameMenu* menu;
    int index;
};

// The menus a click acts on now, as the pointer's click picks them.
std::vector<TGLGameMenu*> menusOnScreen(const Game& game) {
    const SceneLinks& l = game.links;
    if (!(l.Cadencer4->enabled() || game.state.levelOver || l.Camera1Menu->visible())) return {};
    if (game.state.overlayOpen)
        return l.menuhighscore->isShown() ? std::vector{l.menuhighscore}
                                          : std::vector<TGLGameMenu*>{};
    std::vector<TGLGameMenu*> menus;
    if (!l.menuLevel->visible())
        for (TGLGameMenu* m : {l.menuMain1, l.menuMain2})
            if (m->isShown()) menus.push_back(m);
    for (TGLGameMenu* m : {l.menuPause, l.menuLevel})
        if (m->isShown()) menus.push_back(m);
    return menus;
}

int bitsOf(const Game& game, const std::vector<TGLGameMenu*>& menus) {
    const SceneLinks& l = game.links;
    const TGLGameMenu* all[] = {l.menuMain1, l.menuMain2, l.menuPause, l.menuLevel,
                                l.menuhighscore};
    int bits = 0;
    for (int i = 0; i < 5; ++i)
        for (const TGLGameMenu* m : menus)
            if (m == all[i]) bits |= 1 << i;
    return bits;
}

bool spacer(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

std::vector<Line> linesOf(const std::vector<TGLGameMenu*>& menus) {
    std::vector<Line> lines;
    for (TGLGameMenu* m : menus)
        for (int i = 0; i < int(m->items().size()); ++i)
            if (!spacer(m->items()[std::size_t(i)])) lines.push_back({m, i});
    return lines;
}

void select(const Game& game, const std::vector<TGLGameMenu*>& menus, const Line& line) {
    for (TGLGameMenu* m : menus)
        m->setSelected(m == line.menu ? line.index : -1);
    lightOverlayLinks(game);
}

void click(Game& game) {
    glscnvwr1MouseDown(game, 1, 0, 0);
}

// The way back: the level list's, or an overlay list's by the link its maker gave the
// line (a name from the score server may read like it).
bool leadsBack(const Game& game, const Line& line) {
    if (line.menu == game.links.menuhighscore) {
        const auto& links = game.state.overlayLinks;
        return std::size_t(line.index) < links.size() &&
               links[std::size_t(line.index)] == OverlayLink::goBack;
    }
    return line.menu == game.links.menuMain1 &&
           line.menu->items()[std::size_t(line.index)] == kGoBack;
}

} // namespace

void padMenus(Game& game) {
    GameState& s = game.state;
    engine::Controls& c = game.controls;
    const std::vector<TGLGameMenu*> menus = menusOnScreen(game);
    const std::vector<Line> lines = linesOf(menus);
    const int bits = bitsOf(game, menus);
    const int count = int(lines.size());
    // The pad's line holds while its menus stay on the screen and the pointer has
    // not selected another since.
    const bool padHolds =
        s.padMenus == bits && s.padLine >= 0 && s.padLine < count &&
        lines[std::size_t(s.padLine)].menu->selected() == lines[std::size_t(s.padLine)].index;
    if (!padHolds) s.padMenus = 0, s.padLine = -1;
    if (count == 0) return;

    const int step =
        int(c.has(engine::PadSignal::PushDown) || c.has(engine::PadSignal::PushRight)) -
        int(c.has(engine::PadSignal::PushUp) || c.has(engine::PadSignal::PushLeft));
    if (step != 0) {
        int at = s.padLine;
        if (at < 0) // from the pointer's line, if there is one
            for (int i = 0; i < count; ++i)
                if (lines[std::size_t(i)].menu->selected() == lines[std::size_t(i)].index) at = i;
        at = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
        select(game, menus, lines[std::size_t(at)]);
        s.padMenus = bits;
        s.padLine = at;
    }

    if (c.has(engine::PadSignal::Confirm) && s.padLine >= 0) {
        c.set(engine::PadSignal::Confirm, false);
        click(game);
    } else if (c.has(engine::PadSignal::Cancel)) {
        for (const Line& line : lines)
            if (leadsBack(game, line)) {
                c.set(engine::PadSignal::Cancel, false);
                select(game, menus, line);
                click(game);
                break;
            }
    }
}

} // namespace coilrun
