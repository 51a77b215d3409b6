#pragma once
#include <string>
#include <vector>

namespace coilrun {

// What the program was asked to do. Without options it plays; "--verify FILE"
// re-plays a run headless and prints its result; "--replay FILE", or a lone file
// name ending in ".coilrun" (as a file manager passes one), shows a run on screen.
// Arguments it does not know are left to the toolkit, as they always were.
struct CommandLine {
    enum class Mode { play, verify, replay } mode = Mode::play;
    std::string file;
    // Set when an option lacks its file: the message to show.
    std::string error;
};
CommandLine parseCommandLine(const std::vector<std::string>& args);

} // namespace coilrun
