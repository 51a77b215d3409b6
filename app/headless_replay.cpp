#include "app/headless_replay.h"

#include "game/replay/run_player.h"
#include "tests/sim/sim_platform.h"

namespace coilrun {

replay::RunSummary replayHeadless(const replay::RunRecord& record,
                                  const std::function<void(TForm1&)>& afterStep) {
    sim::SimPlatform platform;
    platform.screenImpl.w = record.screenWidth;
    platform.screenImpl.h = record.screenHeight;
    engine::CadencerPump pump(platform.clock(), platform.loop());
    TForm1 form(platform, pump);
    replay::RunPlayer player(form.game(), form.objects(), form.runs(), record);
    while (player.step())
        if (afterStep) afterStep(form);
    return player.summary();
}

} // namespace coilrun
