#pragma once
#include "app/main_form.h"
#include "game/replay/run_record.h"

#include <functional>

namespace coilrun {

// Plays a recorded run again in a game window of its own on the simulated
// platform: no display, no sound device, no settings or score server of the
// player's, and virtual time, so a long run takes a moment. afterStep, when given,
// is called after every re-played handler. Throws replay::RunFileError when the
// run's start cannot be restored.
replay::RunSummary replayHeadless(const replay::RunRecord& record,
                                  const std::function<void(TForm1&)>& afterStep = {});

} // namespace coilrun
