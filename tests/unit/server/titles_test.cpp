#include "server/titles.h"
#include "tests/unit/server/game_title_readers.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace coilrun::server;
using coilrun::server::testing::commandNames;
using coilrun::server::testing::pageCommands;
using coilrun::server::testing::scoreListLines;
using coilrun::server::testing::splashTakesAsScoreList;
using Lines = std::vector<std::string>;
using Names = std::vector<std::string>;

namespace {

ScoreEntry entry(const QString& name, qint64 score) {
    return {1, name, score, 0};
}

TEST(ScoreListTitle, BestThenOneMorePlusThenLatest) {
    const QString title =
        scoreListTitle({entry(u"alice"_s, 1234), entry(u"bob"_s, 999)}, {entry(u"carol"_s, 50)});
    EXPECT_EQ(title.toStdString(), "alice  1234+bob  999++carol  50+");
    EXPECT_EQ(scoreListLines(title.toStdString()), (Lines{"BEST SCORE:   alice  1234", "bob  999",
                                                          "", "- LATEST SCORES -", "carol  50"}));
    EXPECT_TRUE(splashTakesAsScoreList(title.toStdString()));
}

TEST(ScoreListTitle, EmptyStoreIsOnePlus) {
    EXPECT_EQ(scoreListTitle({}, {}).toStdString(), "+");
    EXPECT_EQ(scoreListLines("+"), (Lines{"BEST SCORE:   "}));
}

TEST(ScoreListTitle, NamesCannotAddOrEndEntries) {
    // Each name tries to end its entry early, start the latest list or close the game.
    const std::vector<ScoreEntry> best = {entry(u"a+b"_s, 10), entry(u"++"_s, 9),
                                          entry(u"skip()"_s, 8), entry(u"x\n+y"_s, 7),
                                          entry(u"\uFF0B\uFF0B"_s, 6)};
    const std::string title = scoreListTitle(best, {entry(u"goback()+"_s, 5)}).toStdString();
    EXPECT_EQ(title, "ab  10+anonymous  9+skip  8+x y  7+anonymous  6++goback  5+");
    EXPECT_EQ(scoreListLines(title).size(), 1u + 4u + 2u + 1u);
    EXPECT_TRUE(commandNames(title).empty());
}

TEST(ScoreListTitle, AColonNeverBecomesTheFifthCharacter) {
    const std::string title = scoreListTitle({entry(u"abcd:"_s, 1)}, {}).toStdString();
    EXPECT_TRUE(splashTakesAsScoreList(title)) << title;
    EXPECT_FALSE(splashTakesAsScoreList(unavailableScoreListTitle().toStdString()));
}

TEST(ScoreListTitle, LongNamesAreCutToTwentyFour) {
    const std::string title = scoreListTitle({entry(QString(40, u'z'), 3)}, {}).toStdString();
    EXPECT_EQ(title, std::string(24, 'z') + "  3++");
}

TEST(PageCommandTitle, FramesTheScoreBrowser) {
    const QString title = pageCommandTitle({u"Coilrun - Scores"_s, 758, 473, u"bsSingle"_s});
    EXPECT_EQ(title.toStdString(),
              "title(Coilrun - Scores) width(758) height(473) style(bsSingle)");
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(pageCommands(title.toStdString()), (Pairs{{"title", "Coilrun - Scores"},
                                                        {"width", "758"},
                                                        {"height", "473"},
                                                        {"style", "bsSingle"}}));
    EXPECT_EQ(captionTitle(u"Coilrun - Velmora"_s).toStdString(), "title(Coilrun - Velmora)");
    BrowserFrame captionOnly;
    captionOnly.caption = u"x"_s;
    EXPECT_EQ(pageCommandTitle(captionOnly).toStdString(), "title(x)");
}

TEST(PageCommandTitle, APlayerNamedLikeACommandStaysInTheCaption) {
    for (const QString& name :
         {u"skip()"_s, u")skip("_s, u"a) skip() goback("_s, u"x)msg(hi)user("_s,
          u"\uFF09skip\uFF08\uFF09"_s, u"))))))))))))))))))))))))))))))"_s}) {
        RunResult result;
        result.name = name;
        result.score = 42;
        result.rank = 7;
        const std::string title =
            pageCommandTitle({resultCaption(result), 758, 473, u"bsSingle"_s}).toStdString();
        EXPECT_EQ(commandNames(title), (Names{"title", "width", "height", "style"})) << title;
        const std::string caption = pageCommands(title).front().second;
        EXPECT_EQ(caption.find('('), std::string::npos) << caption;
        EXPECT_NE(caption.find("42 points, rank 7"), std::string::npos) << caption;
    }
}

TEST(ResultCaption, SaysWhatTheRunDid) {
    EXPECT_EQ(resultCaption(std::nullopt).toStdString(), "Coilrun - Scores");
    RunResult noScore;
    noScore.name = u"bob"_s;
    EXPECT_EQ(resultCaption(noScore).toStdString(), "Coilrun - No score this run");
    RunResult scored;
    scored.name = u"al  ice"_s;
    scored.score = 1234;
    scored.rank = 3;
    EXPECT_EQ(resultCaption(scored).toStdString(), "Coilrun - al ice, 1234 points, rank 3");
    scored.rank = kExactRanks;
    EXPECT_EQ(resultCaption(scored).toStdString(), "Coilrun - al ice, 1234 points, rank 1000");
    scored.rank = kExactRanks + 1;
    EXPECT_EQ(resultCaption(scored).toStdString(), "Coilrun - al ice, 1234 points, rank over 1000");
}

TEST(CommandTitles, AreTheBareCommands) {
    EXPECT_EQ(commandNames(QString::fromUtf16(kGoBackTitle).toStdString()), (Names{"goback"}));
    EXPECT_EQ(commandNames(QString::fromUtf16(kSkipTitle).toStdString()), (Names{"skip"}));
}

} // namespace
