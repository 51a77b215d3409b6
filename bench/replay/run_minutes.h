#pragma once
#include "game/replay/run_events.h"
#include "game/replay/run_record.h"

namespace coilrun::bench {

// Minutes of play in a run: its level clock is not started before the first arrow
// key, so the frames tell (Cadencer1 steps 0.01 s).
inline double minutesOf(const replay::RunRecord& r) {
    replay::EventReader events(r.events);
    int frames = 0;
    while (!events.atEnd())
        frames += events.next().handler == replay::RunHandler::Cadencer1Progress;
    return frames * 0.01 / 60;
}

} // namespace coilrun::bench
