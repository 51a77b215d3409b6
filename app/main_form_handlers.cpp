// The game window's handler table: every handler name the scene file uses, bound
// to the play code (game/) and the menu code (frontend/).
#include "app/main_form.h"
#include "frontend/how_to_pages.h"
#include "frontend/menu_frame.h"
#include "frontend/menu_music.h"
#include "frontend/pad_menus.h"
#include "frontend/pointer_actions.h"
#include "game/controls_step.h"
#include "game/frame_driver.h"
#include "game/game_timers.h"
#include "game/layout_tick.h"
#include "game/pause_screen.h"
#include "game/stage_presentation.h"

namespace coilrun {

scene::HandlerTable TForm1::handlers() {
    scene::HandlerTable table;
    // Handlers run only once the scene is read and the game exists; loading sets
    // them up before that. Every frame begins with its controls, which the game
    // controller may use in a menu as the pointer's click is used between frames; a
    // click that hands over to another screen leaves this frame undone.
    auto frame = [this](void (*step)(Game&, double)) {
        return TGLCadencer::ProgressEvent(
            [this, step](TGLCadencer& cadencer, double deltaTime, double) {
                readControls(game());
                padMenus(game());
                if (cadencer.enabled()) step(game(), deltaTime);
            });
    };
    auto tick = [this](void (*handler)(Game&)) {
        return std::function<void()>([this, handler] { handler(game()); });
    };

    table["Cadencer1Progress"] = frame(Cadencer1Progress);
    table["Cadencer2Progress"] = frame([](Game& g, double) { Cadencer2Progress(g); });
    table["Cadencer3Progress"] = frame([](Game& g, double) { Cadencer3Progress(g); });
    table["Cadencer4Progress"] = frame(Cadencer4Progress);
    table["CadencerMenuProgress"] = frame([](Game& g, double) { CadencerMenuProgress(g); });

    table["runtimeTimer"] = tick(runtimeTimer);
    table["tmrmusicTimer"] = tick(tmrmusicTimer);
    table["timergametimeTimer"] = tick(timergametimeTimer);
    table["timerTitleTimer"] = tick(timerTitleTimer);
    table["timermudeTimer"] = tick(timermudeTimer);
    table["timermainmenumusicTimer"] = tick(timermainmenumusicTimer);
    table["timerHTTimer"] = tick(timerHTTimer);
    table["timercountdownTimer"] = tick(timercountdownTimer);
    table["asynctmr1Timer"] = tick(asynctmr1Timer);
    table["asynctmrAllTimeTimer"] = tick(asynctmrAllTimeTimer);
    // Holds the game frame back for one tick; nothing in the game enables it.
    table["asynctmrTimerMenuTimer"] =
        tick([](Game& g) { g.links.asynctmrTimerMenu->setEnabled(false); });
    table["asynctmrTimerMenu1Timer"] = tick(asynctmrTimerMenu1Timer);
    table["asynctmrtimerzoomTimer"] = tick(asynctmrtimerzoomTimer);
    table["glscnvwr1MouseDown"] = std::function<void(int, int, int)>(
        [this](int button, int x, int y) { glscnvwr1MouseDown(game(), button, x, y); });
    table["glscnvwr1MouseMove"] =
        std::function<void(int, int)>([this](int x, int y) { glscnvwr1MouseMove(game(), x, y); });
    return table;
}

} // namespace coilrun
