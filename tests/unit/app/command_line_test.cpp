// The command line: plain starts stay plain, the run options take their file.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace coilrun {
namespace {

using Mode = CommandLine::Mode;

TEST(CommandLine, RunOptionsTakeTheirFileAndEverythingElseStillPlays) {
    EXPECT_EQ(parseCommandLine({"coilrun"}).mode, Mode::play);
    EXPECT_EQ(parseCommandLine({"coilrun", "-platform", "xcb", "notes.txt"}).mode, Mode::play);
    EXPECT_EQ(parseCommandLine({"coilrun", ".coilrun"}).mode, Mode::play);

    const CommandLine verify = parseCommandLine({"coilrun", "--verify", "a.coilrun"});
    EXPECT_EQ(verify.mode, Mode::verify);
    EXPECT_EQ(verify.file, "a.coilrun");
    const CommandLine replay = parseCommandLine({"coilrun", "--replay", "/tmp/run"});
    EXPECT_EQ(replay.mode, Mode::replay);
    EXPECT_EQ(replay.file, "/tmp/run");
    const CommandLine opened =
        parseCommandLine({"coilrun", "/home/p/run-000001-level01-lost.coilrun"});
    EXPECT_EQ(opened.mode, Mode::replay);
    EXPECT_EQ(opened.file, "/home/p/run-000001-level01-lost.coilrun");

    EXPECT_EQ(parseCommandLine({"coilrun", "--verify"}).error, "--verify needs the file of a run");
}

} // namespace
} // namespace coilrun
