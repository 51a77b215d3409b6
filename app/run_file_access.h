#pragma once
#include "game/replay/run_record.h"

#include <iosfwd>
#include <string>

namespace coilrun {

// Reads the run file a player named; throws replay::RunFileError saying what is
// wrong ("cannot be read", "not a Coilrun run file", ...), without the name.
replay::RunRecord loadRunFile(const std::string& path);

// `coilrun --verify FILE`: re-plays the run headless and prints one line,
// "level=N result=won|lost length=L clock=M:SS:HH score=S". 0 when it re-plays to
// what the file records; otherwise a message naming the file goes to err: 2 for a
// file that is refused, 1 for a run that plays out differently from its record.
int verifyRunFile(const std::string& path, std::ostream& out, std::ostream& err);

} // namespace coilrun
