// The score pages as the game reads and writes them: page commands in a title,
// the run report's address, the score list's lines.
#include "online/page_commands.h"
#include "online/page_text.h"
#include "online/run_report.h"
#include "online/score_list.h"

#include <gtest/gtest.h>

namespace coilrun::online {
namespace {

using Commands = std::vector<PageCommand>;

TEST(PageCommands, NamesLoseBlanksValuesKeepThem) {
    EXPECT_EQ(parsePageCommands("title(High Scores) height(500)"),
              (Commands{{"title", "High Scores"}, {"height", "500"}}));
    EXPECT_EQ(parsePageCommands(" go back ( x )"), (Commands{{"goback", " x "}}));
    EXPECT_EQ(parsePageCommands("Skip()skip()"), (Commands{{"Skip", ""}, {"skip", ""}}))
        << "names are kept as written: case matters to whoever reads them";
}

TEST(PageCommands, WhatIsNotAClosedPairIsDropped) {
    EXPECT_EQ(parsePageCommands(""), Commands{});
    EXPECT_EQ(parsePageCommands("Coilrun scores"), Commands{}) << "no parentheses, no commands";
    EXPECT_EQ(parsePageCommands("max()trailing text"), (Commands{{"max", ""}}));
    EXPECT_EQ(parsePageCommands("max()width(600"), (Commands{{"max", ""}}))
        << "a name without its ')' gives nothing";
    EXPECT_EQ(parsePageCommands("a(1)b(2"), (Commands{{"a", "1"}}));
    EXPECT_EQ(parsePageCommands("x)y(2)"), (Commands{{"", "x"}, {"y", "2"}}));
}

TEST(PageCommands, AtMostTwoHundredFiftySixPairs) {
    std::string title;
    for (int i = 0; i < 300; ++i) {
        const std::string n = std::to_string(i);
        title.append("n").append(n).append("(").append(n).append(")");
    }
    const Commands commands = parsePageCommands(title);
    ASSERT_EQ(commands.size(), kMaxPageCommands);
    EXPECT_EQ(commands.back(), (PageCommand{"n255", "255"}));
}

TEST(RunReport, WithoutAScoreTheAddressEndsAtNew) {
    EXPECT_EQ(runReportUrl("http://127.0.0.1:8765", "TRUE", 0, "08/12/2026", "zoe"),
              "http://127.0.0.1:8765/Coilrun/data/count.php?NEW=TRUE");
}

TEST(RunReport, PlusAndAmpersandBecomeAndThenTheWholeValueIsEncoded) {
    EXPECT_EQ(escapePlayerName("a+b&c"), "a-and-b-and-c");
    EXPECT_EQ(runReportUrl("http://h", "FALSE", 120, "2026-12-08", "a+b&c"),
              "http://h/Coilrun/data/count.php?NEW=FALSE&DATE=2026-12-08&SCORE=120"
              "&USER=a-and-b-and-c");
    EXPECT_EQ(runReportUrl("http://h", "ME", 7, "08/12/2026", "Zo\xc3\xab #1 & co"),
              "http://h/Coilrun/data/count.php?NEW=ME&DATE=08%2F12%2F2026&SCORE=7"
              "&USER=Zo%C3%AB%20%231%20-and-%20co");
    EXPECT_EQ(percentEncode("50%=?x~_.-"), "50%25%3D%3Fx~_.-");
}

TEST(ScoreList, EntriesLatestScoresAndNoList) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(scoreListLines(true, "alice  1234+bob  99+"),
              (Lines{"BEST SCORE:   alice  1234", "bob  99", "", "<< GO BACK <<"}));
    EXPECT_EQ(scoreListLines(true, "alice  1234++carol  5+dave"),
              (Lines{"BEST SCORE:   alice  1234", "", "- LATEST SCORES -", "carol  5", "",
                     "<< GO BACK <<"}))
        << "text after the last + is not shown";
    EXPECT_EQ(scoreListLines(true, ""), (Lines{"", "<< GO BACK <<"}));
    EXPECT_EQ(scoreListLines(false, "ignored+"),
              (Lines{"No high score", "information available.", "",
                     "Please check your internet connection.", "", "<< GO BACK <<"}));
}

TEST(ScoreList, WithinItsBoundsCutBetweenCharacters) {
    std::string many;
    for (int i = 0; i < 1000; ++i)
        many += "Zo\xc3\xab  7+";
    const auto bounded = scoreListLines(true, many);
    ASSERT_EQ(bounded.size(), kMaxScoreListLines + 2);
    EXPECT_EQ(bounded[1], "Zo\xc3\xab  7");
    EXPECT_EQ(bounded.back(), "<< GO BACK <<") << "the way back stays";

    const auto cut = scoreListLines(true, "a+" + std::string(125, 'w') + "\xc3\xab\xc3\xab+");
    EXPECT_EQ(cut[1], std::string(125, 'w') + "\xc3\xab") << "no half character at the cut";
}

TEST(PageText, CutsBetweenCharacters) {
    EXPECT_EQ(cutUtf8("Zo\xc3\xab", 3), "Zo");
    EXPECT_EQ(cutUtf8("Zo\xc3\xab", 4), "Zo\xc3\xab");
    EXPECT_EQ(cutUtf8("\xf0\x9f\x90\x8d!", 3), "");
}

} // namespace
} // namespace coilrun::online
