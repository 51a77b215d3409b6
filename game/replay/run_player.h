#pragma once
#include "game/game.h"
#include "game/replay/run_events.h"
#include "game/replay/run_record.h"
#include "game/replay/run_tap.h"

namespace coilrun::scene {
class LoadedScene;
}

namespace coilrun::replay {

// Plays a recorded run again in a freshly built game window: puts the window's
// state and scene where the recording began, then calls the recorded handlers in
// their order, each frame with its recorded controls. The window's own timers and
// cadencers are held back by the tap meanwhile (its cadencers no longer pump).
class RunPlayer {
public:
    // Throws RunFileError when the start of the run cannot be restored.
    RunPlayer(Game& game, const scene::LoadedScene& scene, RunTap& tap, const RunRecord& record);

    // Runs the next recorded handler; false when none is left.
    bool step();
    bool finished() const { return events_.atEnd(); }
    // The handler step() ran last.
    const RunEvent& lastEvent() const { return last_; }
    // What the re-played game shows now, as the recording's summary reads.
    RunSummary summary() const;

private:
    Game& game_;
    RunTap& tap_;
    const RunRecord& record_;
    EventReader events_;
    RunEvent last_;
};

} // namespace coilrun::replay
