#include "server/query.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using namespace coilrun::server;

namespace {

CountQuery parse(const std::string& raw) {
    return parseCountQuery(raw);
}

TEST(CountQuery, TheGamesFullReport) {
    const CountQuery q = parse("NEW=FALSE&DATE=08/12/2026&SCORE=1234&USER=alice");
    ASSERT_EQ(q.kind, CountQueryKind::Report);
    EXPECT_EQ(q.report.newFlag, u"FALSE"s);
    EXPECT_EQ(q.report.date, u"08/12/2026"s);
    EXPECT_EQ(q.report.score, 1234);
    EXPECT_EQ(q.report.user, u"alice"s);
}

TEST(CountQuery, ARunWithoutScoreSendsOnlyNew) {
    const CountQuery q = parse("NEW=TRUE");
    ASSERT_EQ(q.kind, CountQueryKind::Report);
    EXPECT_EQ(q.report.newFlag, u"TRUE"s);
    EXPECT_FALSE(q.report.score);
    EXPECT_TRUE(q.report.user.empty());
    EXPECT_TRUE(q.report.date.empty());
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
    EXPECT_TRUE(q.report.newFlag.empty());
    EXPECT_TRUE(q.report.date.empty());
    EXPECT_FALSE(q.report.score);
    EXPECT_TRUE(q.report.user.empty());
    EXPECT_EQ(parse("NEW").kind, CountQueryKind::Report);
}

TEST(CountQuery, TheFirstOfRepeatedKeysWins) {
    const CountQuery q = parse("NEW=TRUE&NEW=FALSE&SCORE=5&SCORE=9999999&USER=a&USER=b");
    EXPECT_EQ(q.report.newFlag, u"TRUE"s);
    EXPECT_EQ(q.report.score, 5);
    EXPECT_EQ(q.report.user, u"a"s);
    // A bad first SCORE is not rescued by a good second one.
    EXPECT_FALSE(parse("NEW=TRUE&SCORE=x&SCORE=5").report.score);
}

TEST(CountQuery, OverlongValuesAreCut) {
    const std::string longText(500, 'x');
    const CountQuery q =
        parse("NEW=" + longText + "&DATE=" + longText + "&USER=" + longText + "&SCORE=1");
    ASSERT_EQ(q.kind, CountQueryKind::Report);
    EXPECT_EQ(q.report.newFlag.size(), std::size_t(kMaxNewLength));
    EXPECT_EQ(q.report.date.size(), std::size_t(kMaxDateLength));
    EXPECT_EQ(q.report.user.size(), std::size_t(kMaxNameLength));
    EXPECT_EQ(q.report.score, 1);
    // Over-long keys are simply other keys.
    EXPECT_EQ(parse("NEW=TRUE&" + longText + "=1").kind, CountQueryKind::Report);
}

TEST(CountQuery, AQueryLongerThanAnyReportCannotBeRead) {
    EXPECT_EQ(parse("NEW=TRUE&PAD=" + std::string(kMaxQueryBytes, 'p')).kind,
              CountQueryKind::Unreadable);
}

TEST(CountQuery, PercentEncodedNames) {
    EXPECT_EQ(parse("NEW=TRUE&USER=J%C3%B6rg%20K").report.user, u"J\u00F6rg K"s);
    EXPECT_EQ(parse("NEW=TRUE&USER=%E5%B1%B1%E7%94%B0").report.user, u"\u5C71\u7530"s);
    // Encoded separators are part of the name, not separators.
    const CountQuery q = parse("NEW=TRUE&USER=a%26SCORE%3D9");
    EXPECT_EQ(q.report.user, u"a&SCORE=9"s);
    EXPECT_FALSE(q.report.score);
    // The game's escape of "+" and "&".
    EXPECT_EQ(parse("NEW=TRUE&USER=a-and-b-and-c").report.user, u"a-and-b-and-c"s);
    // Escapes that are not escapes stay as they are.
    EXPECT_EQ(parse("NEW=TRUE&USER=100%&DATE=%zz%4").report.user, u"100%"s);
    EXPECT_EQ(parse("NEW=TRUE&USER=100%&DATE=%zz%4").report.date, u"%zz%4"s);
}

TEST(CountQuery, RawNonAsciiNames) {
    // Valid UTF-8 sent raw, as the game sends names unencoded.
    EXPECT_EQ(parse("NEW=TRUE&USER=J\xC3\xB6rg").report.user, u"J\u00F6rg"s);
    // 8-bit text that is not UTF-8 is read as Latin-1.
    EXPECT_EQ(parse("NEW=TRUE&USER=J\xF6rg").report.user, u"J\u00F6rg"s);
    EXPECT_EQ(parse("NEW=TRUE&USER=%E9t%E9").report.user, u"\u00E9t\u00E9"s);
    // Names are cut by characters, not bytes.
    std::string umlauts;
    for (int i = 0; i < 30; ++i)
        umlauts += "\xC3\xB6";
    EXPECT_EQ(parse("NEW=TRUE&USER=" + umlauts).report.user,
              std::u16string(kMaxNameLength, u'\u00F6'));
}

TEST(QueryComponent, OnlyStrictUtf8IsReadAsUtf8) {
    EXPECT_EQ(decodeQueryComponent("%F0%9F%90%8D"), u"\U0001F40D");
    EXPECT_EQ(decodeQueryComponent("%F4%8F%BF%BF%EF%BF%BF"), u"\U0010FFFF\uFFFF");
    // Overlong forms, encoded surrogates, code points past U+10FFFF, stray
    // continuation bytes and cut sequences are 8-bit text, byte for byte.
    for (std::string bad :
         {"\xC0\x80", "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
          "\xF5\x80\x80\x80", "a\x80", "\xE2\x82", "\xF0\x9F\x90"}) {
        std::u16string latin1;
        for (char c : bad)
            latin1 += char16_t(static_cast<unsigned char>(c));
        EXPECT_EQ(decodeQueryComponent(bad), latin1) << bad.size();
    }
}

TEST(CountQuery, ControlCharactersAreNotStored) {
    const CountQuery q = parse("NEW=TR%00UE&USER=a%0Ab%1B%5B2J%7F%C2%85c&DATE=1%092");
    EXPECT_EQ(q.report.newFlag, u"TRUE"s);
    EXPECT_EQ(q.report.user, u"ab[2Jc"s);
    EXPECT_EQ(q.report.date, u"12"s);
}

TEST(Score, WholeNumbersFromZeroToTenMillion) {
    EXPECT_EQ(parseScore(u"0"), 0);
    EXPECT_EQ(parseScore(u"1234"), 1234);
    EXPECT_EQ(parseScore(u"10000000"), 10'000'000);
    EXPECT_EQ(parseScore(u"0000000000000042"), 42);
    for (std::u16string_view bad :
         {u"", u"10000001", u"-1", u"-0", u"+5", u" 5", u"5 ", u"1.5", u"1e3", u"0x10", u"12a",
          u"99999999999999999999", u"\u0661\u0662", u"\uFF15"})
        EXPECT_FALSE(parseScore(bad)) << bad.size();
}

TEST(CountQuery, ABadScoreStillStoresTheRun) {
    const CountQuery q = parse("NEW=FALSE&DATE=d&SCORE=99999999&USER=cheater");
    ASSERT_EQ(q.kind, CountQueryKind::Report);
    EXPECT_FALSE(q.report.score);
    EXPECT_EQ(q.report.user, u"cheater"s);
}

TEST(QueryItems, SplitsInOrderAndSkipsEmptyItems) {
    const std::vector<QueryItem> items = parseQueryItems("a=1&&b&=3&c=x=y&");
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].key, u"a"s);
    EXPECT_EQ(items[0].value, u"1"s);
    EXPECT_EQ(items[1].key, u"b"s);
    EXPECT_TRUE(items[1].value.empty());
    EXPECT_TRUE(items[2].key.empty());
    EXPECT_EQ(items[2].value, u"3"s);
    EXPECT_EQ(items[3].value, u"x=y"s);
    EXPECT_EQ(decodeQueryComponent("a+b"), u"a+b"s);
}

} // namespace
