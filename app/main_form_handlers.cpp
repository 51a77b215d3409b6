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
    // click that hands over to another screen leaves this frame undone. Each goes
    // through the run tap, which records it or, while a run is re-played, holds it back.
    using replay::RunHandler;
    auto frame = [this](RunHandler id, void (*step)(Game&, double)) {
        return engine::TGLCadencer::ProgressEvent(
            [this, id, step](engine::TGLCadencer& cadencer, double deltaTime, double) {
                if (!runs_->enter()) return;
                readControls(game());
                runs_->frameStarts(id, deltaTime);
                padMenus(game());
                if (cadencer.enabled()) step(game(), deltaTime);
                runs_->handlerEnded(id);
            });
    };
    auto tick = [this](RunHandler id, void (*handler)(Game&)) {
        return std::function<void()>([this, id, handler] {
            if (!runs_->enter()) return;
            runs_->timerStarts(id);
            handler(game());
            runs_->handlerEnded(id);
        });
    };

    table["Cadencer1Progress"] = frame(RunHandler::Cadencer1Progress, Cadencer1Progress);
    table["Cadencer2Progress"] =
        frame(RunHandler::Cadencer2Progress, [](Game& g, double) { Cadencer2Progress(g); });
    table["Cadencer3Progress"] =
        frame(RunHandler::Cadencer3Progress, [](Game& g, double) { Cadencer3Progress(g); });
    table["Cadencer4Progress"] = frame(RunHandler::Cadencer4Progress, Cadencer4Progress);
    table["CadencerMenuProgress"] =
        frame(RunHandler::CadencerMenuProgress, [](Game& g, double) { CadencerMenuProgress(g); });

    table["runtimeTimer"] = tick(RunHandler::runtimeTimer, runtimeTimer);
    table["tmrmusicTimer"] = tick(RunHandler::tmrmusicTimer, tmrmusicTimer);
    table["timergametimeTimer"] = tick(RunHandler::timergametimeTimer, timergametimeTimer);
    table["timerTitleTimer"] = tick(RunHandler::timerTitleTimer, timerTitleTimer);
    table["timermudeTimer"] = tick(RunHandler::timermudeTimer, timermudeTimer);
    table["timermainmenumusicTimer"] =
        tick(RunHandler::timermainmenumusicTimer, timermainmenumusicTimer);
    table["timerHTTimer"] = tick(RunHandler::timerHTTimer, timerHTTimer);
    table["timercountdownTimer"] = tick(RunHandler::timercountdownTimer, timercountdownTimer);
    table["asynctmr1Timer"] = tick(RunHandler::asynctmr1Timer, asynctmr1Timer);
    table["asynctmrAllTimeTimer"] = tick(RunHandler::asynctmrAllTimeTimer, asynctmrAllTimeTimer);
    // Holds the game frame back for one tick; nothing in the game enables it.
    table["asynctmrTimerMenuTimer"] = tick(RunHandler::asynctmrTimerMenuTimer, [](Game& g) {
        g.links.asynctmrTimerMenu->setEnabled(false);
    });
    table["asynctmrTimerMenu1Timer"] =
        tick(RunHandler::asynctmrTimerMenu1Timer, asynctmrTimerMenu1Timer);
    table["asynctmrtimerzoomTimer"] =
        tick(RunHandler::asynctmrtimerzoomTimer, asynctmrtimerzoomTimer);
    // The pointer's handlers are recorded once they have run, with the selections
    // they made, which depend on the fonts of the machine.
    table["glscnvwr1MouseDown"] =
        std::function<void(int, int, int)>([this](int button, int x, int y) {
            if (!runs_->enter()) return;
            runs_->pointerHandled(RunHandler::glscnvwr1MouseDown, button, x, y);
            glscnvwr1MouseDown(game(), button, x, y);
            runs_->handlerEnded(RunHandler::glscnvwr1MouseDown);
        });
    table["glscnvwr1MouseMove"] = std::function<void(int, int)>([this](int x, int y) {
        if (!runs_->enter()) return;
        glscnvwr1MouseMove(game(), x, y);
        runs_->pointerHandled(RunHandler::glscnvwr1MouseMove, 0, x, y);
        runs_->handlerEnded(RunHandler::glscnvwr1MouseMove);
    });
    return table;
}

} // namespace coilrun
