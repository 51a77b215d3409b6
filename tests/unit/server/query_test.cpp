#include "server/query.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace coilrun::server;

namespace {

CountQuery parse(QByteArrayView raw) {
    return parseCountQuery(raw);
}

TEST(CountQuery, TheGamesFullReport) {
    const CountQuery q = parse("NEW=FALSE&DATE=08/12/2026&SCORE=1234&USER=alice");
    ASSERT_EQ(q.kind, CountQueryKind::Report);
    EXPECT_EQ(q.report.newFlag, u"FALSE"_s);
    EXPECT_EQ(q.report.date, u"08/12/2026"_s);
    EXPECT_EQ(q.report.score, 1234);
    EXPECT_EQ(q.report.user, u"alice"_s);
}

TEST(CountQuery, ARunWithoutScoreSendsOnlyNew) {
    const CountQuery q = parse("NEW=TRUE");
    ASSERT_EQ(q.kind, CountQueryKind::Report);
    EXPECT_EQ(q.report.newFlag, u"TRUE"_s);
    EXPECT_FALSE(q.report.score);
    EXPECT_TRUE(q.report.user.isEmpty());
    EXPECT_TRUE(q.report.date.isEmpty());
}

TEST(CountQuery, NoQueryIsTheReloadAndStoresNothing) {
    EXPECT_EQ(parse("").kind, CountQueryKind::None);
}

TEST(CountQuery, AQueryWithoutNewCannotBeRead) {
    EXPECT_EQ(parse("garbage").kind, CountQueryKind::Unreadable);
    EXPECT_EQ(parse("SCORE=5&USER=bob").kind, CountQueryKind::Unreadable);
    EXPECT_EQ(parse("new=TRUE").kind, CountQueryKind::Unreadable); // keys are case-sensitive
    EXPECT_EQ(parse("&&&").kind, CountQueryKind::Unreadable);
    EXPECT_EQ(parse("NEWS=TRUE").kind, CountQueryKind::Unreadable);
}

TEST(CountQuery, EmptyValuesAndKeysWithoutValues) {
    const CountQuery q = parse("NEW=&DATE&SCORE=&USER=");
    ASSERT_EQ(q.kind, CountQueryKind::Report);
    EXPECT_TRUE(q.report.newFlag.isEmpty());
    EXPECT_TRUE(q.report.date.isEmpty());
    EXPECT_FALSE(q.report.score);
    EXPECT_TRUE(q.report.user.isEmpty());
    EXPECT_EQ(parse("NEW").kind, CountQueryKind::Report);
}

TEST(CountQuery, TheFirstOfRepeatedKeysWins) {
    const CountQuery q = parse("NEW=TRUE&NEW=FALSE&SCORE=5&SCORE=9999999&USER=a&USER=b");
    EXPECT_EQ(q.report.newFlag, u"TRUE"_s);
    EXPECT_EQ(q.report.score, 5);
    EXPECT_EQ(q.report.user, u"a"_s);
    // A bad first SCORE is not rescued by a good second one.
    EXPECT_FALSE(parse("NEW=TRUE&SCORE=x&SCORE=5").report.score);
}

TEST(CountQuery, OverlongValuesAreCut) {
    const QByteArray longText(500, 'x');
    const CountQuery q =
        parse("NEW=" + longText + "&DATE=" + longText + "&USER=" + longText + "&SCORE=1");
    ASSERT_EQ(q.kind, CountQueryKind::Report);
    EXPECT_EQ(q.report.newFlag.size(), kMaxNewLength);
    EXPECT_EQ(q.report.date.size(), kMaxDateLength);
    EXPECT_EQ(q.report.user.size(), kMaxNameLength);
    EXPECT_EQ(q.report.score, 1);
    // Over-long keys are simply other keys.
    EXPECT_EQ(parse("NEW=TRUE&" + longText + "=1").kind, CountQueryKind::Report);
}

TEST(CountQuery, AQueryLongerThanAnyReportCannotBeRead) {
    EXPECT_EQ(parse("NEW=TRUE&PAD=" + QByteArray(kMaxQueryBytes, 'p')).kind,
              CountQueryKind::Unreadable);
}

TEST(CountQuery, PercentEncodedNames) {
    EXPECT_EQ(parse("NEW=TRUE&USER=J%C3%B6rg%20K").report.user, u"J\u00F6rg K"_s);
    EXPECT_EQ(parse("NEW=TRUE&USER=%E5%B1%B1%E7%94%B0").report.user, u"\u5C71\u7530"_s);
    // Encoded separators are part of the name, not separators.
    const CountQuery q = parse("NEW=TRUE&USER=a%26SCORE%3D9");
    EXPECT_EQ(q.report.user, u"a&SCORE=9"_s);
    EXPECT_FALSE(q.report.score);
    // The game's escape of "+" and "&".
    EXPECT_EQ(parse("NEW=TRUE&USER=a-and-b-and-c").report.user, u"a-and-b-and-c"_s);
    // Escapes that are not escapes stay as they are.
    EXPECT_EQ(parse("NEW=TRUE&USER=100%&DATE=%zz%4").report.user, u"100%"_s);
    EXPECT_EQ(parse("NEW=TRUE&USER=100%&DATE=%zz%4").report.date, u"%zz%4"_s);
}

TEST(CountQuery, RawNonAsciiNames) {
    // Valid UTF-8 sent raw, as the game sends names unencoded.
    EXPECT_EQ(parse("NEW=TRUE&USER=J\xC3\xB6rg").report.user, u"J\u00F6rg"_s);
    // 8-bit text that is not UTF-8 is read as Latin-1.
    EXPECT_EQ(parse("NEW=TRUE&USER=J\xF6rg").report.user, u"J\u00F6rg"_s);
    EXPECT_EQ(parse("NEW=TRUE&USER=%E9t%E9").report.user, u"\u00E9t\u00E9"_s);
    // Names are cut by characters, not bytes.
    const QByteArray umlauts = QByteArray("\xC3\xB6").repeated(30);
    EXPECT_EQ(parse("NEW=TRUE&USER=" + umlauts).report.user, QString(kMaxNameLength, u'\u00F6'));
}

TEST(CountQuery, ControlCharactersAreNotStored) {
    const CountQuery q = parse("NEW=TR%00UE&USER=a%0Ab%1B%5B2J%7F%C2%85c&DATE=1%092");
    EXPECT_EQ(q.report.newFlag, u"TRUE"_s);
    EXPECT_EQ(q.report.user, u"ab[2Jc"_s);
    EXPECT_EQ(q.report.date, u"12"_s);
}

TEST(Score, WholeNumbersFromZeroToTenMillion) {
    EXPECT_EQ(parseScore(u"0"), 0);
    EXPECT_EQ(parseScore(u"1234"), 1234);
    EXPECT_EQ(parseScore(u"10000000"), 10'000'000);
    EXPECT_EQ(parseScore(u"0000000000000042"), 42);
    for (QStringView bad : {u"", u"10000001", u"-1", u"-0", u"+5", u" 5", u"5 ", u"1.5", u"1e3",
                            u"0x10", u"12a", u"99999999999999999999", u"\u0661\u0662", u"\uFF15"})
        EXPECT_FALSE(parseScore(bad)) << bad.toString().toStdString();
}

TEST(CountQuery, ABadScoreStillStoresTheRun) {
    const CountQuery q = parse("NEW=FALSE&DATE=d&SCORE=99999999&USER=cheater");
    ASSERT_EQ(q.kind, CountQueryKind::Report);
    EXPECT_FALSE(q.report.score);
    EXPECT_EQ(q.report.user, u"cheater"_s);
}

TEST(QueryItems, SplitsInOrderAndSkipsEmptyItems) {
    const std::vector<QueryItem> items = parseQueryItems("a=1&&b&=3&c=x=y&");
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].key, u"a"_s);
    EXPECT_EQ(items[0].value, u"1"_s);
    EXPECT_EQ(items[1].key, u"b"_s);
    EXPECT_TRUE(items[1].value.isEmpty());
    EXPECT_TRUE(items[2].key.isEmpty());
    EXPECT_EQ(items[2].value, u"3"_s);
    EXPECT_EQ(items[3].value, u"x=y"_s);
    EXPECT_EQ(decodeQueryComponent("a+b"), u"a+b"_s);
}

} // namespace
