#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace coilrun::replay {

// The handlers a run records, by the ids a run file stores: the game window's
// frame handlers, its timers and the pointer over the viewer. Appending is fine;
// reordering changes the meaning of stored files.
enum class RunHandler : std::uint8_t {
    Cadencer1Progress,
    Cadencer2Progress,
    Cadencer3Progress,
    Cadencer4Progress,
    CadencerMenuProgress,
    runtimeTimer,
    tmrmusicTimer,
    timergametimeTimer,
    timerTitleTimer,
    timermudeTimer,
    timermainmenumusicTimer,
    timerHTTimer,
    timercountdownTimer,
    asynctmr1Timer,
    asynctmrAllTimeTimer,
    asynctmrTimerMenuTimer,
    asynctmrTimerMenu1Timer,
    asynctmrtimerzoomTimer,
    glscnvwr1MouseDown,
    glscnvwr1MouseMove,
    // Not a handler: the score browser handed the game back (its "goback").
    scoreBrowserGoBack,
    count
};
// The handler's name in the scene file; null for an id that is not one.
const char* handlerName(RunHandler handler);
constexpr bool isFrameHandler(RunHandler h) {
    return h <= RunHandler::CadencerMenuProgress;
}

// How a run ended, as the program that recorded it showed it on the level-over
// screen: the level played, whether it was won, the snake's length, the level
// clock and the level's score (0 for a lost level).
struct RunSummary {
    int level = 0;
    bool won = false;
    int length = 0;
    int minutes = 0, seconds = 0, hundredths = 0;
    int score = 0;
    bool operator==(const RunSummary&) const = default;
};

// One level as it was played, from its set-up to its level-over screen: where it
// started (the state and the scene right after the set-up), the dice's seed, the
// screen it was played on, and every handler that ran, in order, with each frame's
// controls.
struct RunRecord {
    RunSummary summary;
    std::uint32_t diceSeed = 0;
    int screenWidth = 0, screenHeight = 0;
    std::uint32_t eventCount = 0;
    std::vector<std::uint8_t> startState; // see state_snapshot.h
    std::vector<std::uint8_t> events;     // see run_events.h
};

// "level=3 result=won length=7 clock=1:02:45 score=312": what --verify prints.
std::string summaryLine(const RunSummary& summary);

} // namespace coilrun::replay
