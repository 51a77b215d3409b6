#pragma once
#include "game/game.h"
#include "game/replay/run_events.h"
#include "game/replay/run_record.h"

#include <functional>
#include <optional>

namespace coilrun::scene {
class LoadedScene;
}

namespace coilrun::replay {

// Sits between the game window's timers, cadencers and pointer and the handlers
// they call. While the game is played it records each level, from its set-up (or
// StartGame) to its level-over screen; while a run is re-played it lets through only
// the calls the player makes, so that the window's own timers cannot add ticks the
// recording did not have.
class RunTap {
public:
    RunTap(Game& game, const scene::LoadedScene& scene) : game_(game), scene_(scene) {}

    // A handler is called: whether it may run. Every handler that may is followed
    // by handlerEnded.
    bool enter() {
        if (replaying && !dispatching) return false;
        ++depth_;
        return true;
    }
    // A frame handler is about to run, its controls read.
    void frameStarts(RunHandler handler, double deltaTime);
    // A timer's handler is about to run.
    void timerStarts(RunHandler handler);
    // A pointer handler has run; the menus' selections are what it left.
    void pointerHandled(RunHandler handler, int button, int x, int y);
    // The score browser gave the game back. Told from inside a handler (a page that
    // answers at once), it is recorded after that handler, where a re-play makes it.
    void scoreBrowserGaveBack();
    // After every handler: a level set up in it starts a run; a run whose level-over
    // screen came up in it is complete and handed to onRunComplete.
    void handlerEnded(RunHandler handler);

    // The play code set up a level (resetLevel). A run in progress that did not
    // reach its level-over screen (a restart, a skipped level) is dropped.
    void levelSetUp();
    // The game leaves for good: a run in progress is dropped.
    void drop() { recording_.reset(), pending_ = false; }

    bool recording() const { return recording_.has_value(); }
    std::function<void(RunRecord&&)> onRunComplete;
    // After each recorded handler has run, with its place in the run (0 for the
    // first): lets a test see the state the re-played run must reach there.
    std::function<void(std::uint32_t index)> afterRecordedHandler;
    // Set while a recorded run is re-played: nothing is recorded then.
    bool replaying = false;
    // Set by the player around the calls it makes.
    bool dispatching = false;

private:
    struct Recording {
        RunRecord record;
        EventWriter events;
    };
    void begin();
    void endHandler(RunHandler handler);
    Game& game_;
    const scene::LoadedScene& scene_;
    std::optional<Recording> recording_;
    bool pending_ = false;
    int depth_ = 0;
    bool goBackPending_ = false;
};

} // namespace coilrun::replay
