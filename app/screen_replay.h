#pragma once
#include "app/main_form.h"
#include "engine/time/cadencer_pump.h"
#include "game/replay/run_player.h"
#include "game/replay/run_record.h"
#include "tests/sim/sim_settings.h"

#include <memory>

namespace coilrun {

// `coilrun --replay FILE`: the game window alone, playing a recorded run at the
// pace it was played, with the picture and sounds the player had; then the
// level-over screen for 3 s (Escape leaves at once) and the program ends. The
// player's settings stay as they are (the game writes into a store of its own) and
// no score server is reached (there is no score browser).
class ScreenReplay {
public:
    ScreenReplay(platform::Platform& platform, replay::RunRecord record);
    ~ScreenReplay();
    ScreenReplay(const ScreenReplay&) = delete;
    ScreenReplay& operator=(const ScreenReplay&) = delete;

private:
    void tick();
    void end();

    platform::Platform& platform_;
    engine::CadencerPump pump_;
    sim::SimSettingsStore settings_;
    replay::RunRecord record_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<replay::RunPlayer> player_;
    platform::MessageLoop::TimerId timer_ = 0;
    double start_ = 0;       // wall seconds when the run began to play
    double played_ = 0;      // seconds of the run played so far
    double finishedAt_ = -1; // wall seconds when the last recorded handler ran
    bool ended_ = false;
    bool framesSinceTick_ = false;
};

} // namespace coilrun
