#include "server/player_text.h"
#include "server/run_report.h"
#include "server/sanitize.h"

#include <QChar>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace coilrun::server;

namespace {

std::string s(const QString& q) {
    return q.toStdString();
}

TEST(TitleText, RemovesEverythingThatCouldOpenCloseOrEndATitleItem) {
    EXPECT_EQ(s(titleText(u"skip()"_s)), "skip");
    EXPECT_EQ(s(titleText(u"a)title(b"_s)), "atitleb");
    EXPECT_EQ(s(titleText(u"one+two++three"_s)), "onetwothree");
    EXPECT_EQ(s(titleText(u"tab\there\nnew\rline\x01\x7f"_s)), "tab here new line");
    // Blanks are single spaces, none at the ends.
    EXPECT_EQ(s(titleText(u"  many    blanks  "_s)), "many blanks");
    EXPECT_EQ(s(titleText(u""_s)), "");
}

TEST(TitleText, LookalikeBracketsAndPlusAreTakenForWhatTheyStandFor) {
    // Full-width, small and superscript forms normalise to ( ) +, and an 8-bit
    // conversion with best-fit mapping would turn them into those too.
    EXPECT_EQ(s(titleText(u"skip\uFF08\uFF09"_s)), "skip");
    EXPECT_EQ(s(titleText(u"skip\uFE59\uFE5A"_s)), "skip");
    EXPECT_EQ(s(titleText(u"a\u207Ab\uFF0Bc\uFE62d"_s)), "abcd");
    EXPECT_EQ(s(titleText(u"goback\u207D\u207E"_s)), "goback");
}

TEST(TitleText, RemovesFormatCharactersAndUnpairedSurrogates) {
    EXPECT_EQ(s(titleText(u"ab\u202Ecd\u200Bef\u2066gh"_s)), "abcdefgh");
    EXPECT_EQ(s(titleText(u"line\u2028break"_s)), "line break"); // a separator is a blank
    QString lone = u"x"_s;
    lone += QChar(0xD800);
    lone += u"y"_s;
    EXPECT_EQ(s(titleText(lone)), "xy");
    // A proper pair stays.
    EXPECT_EQ(titleText(u"snake \U0001F40D"_s), u"snake \U0001F40D"_s);
}

TEST(TitleName, CutsToTwentyFourCharactersAndDropsColons) {
    EXPECT_EQ(s(titleName(u"abcdefghijklmnopqrstuvwxyz0123"_s)), "abcdefghijklmnopqrstuvwx");
    EXPECT_EQ(titleName(u"abcdefghijklmnopqrstuvwxyz0123"_s).size(), kMaxNameLength);
    EXPECT_EQ(s(titleName(u"abcd:efg"_s)), "abcdefg");
    // Characters, not UTF-16 units: 30 snakes become 24 snakes, no half pair.
    QString snakes;
    for (int i = 0; i < 30; ++i)
        snakes += u"\U0001F40D"_s;
    EXPECT_EQ(titleName(snakes).size(), 2 * kMaxNameLength);
    // Removed characters do not count towards the 24.
    EXPECT_EQ(s(titleName(u"((((((((((((((((((((((((((bob"_s)), "bob");
}

TEST(TitleName, NothingLeftIsAnonymous) {
    EXPECT_EQ(s(titleName(u""_s)), "anonymous");
    EXPECT_EQ(s(titleName(u"()+ \t"_s)), "anonymous");
    EXPECT_EQ(s(titleName(u"::::"_s)), "anonymous");
}

TEST(BodyName, KeepsBracketsButNotControls) {
    EXPECT_EQ(s(bodyName(u"skip() <b>"_s)), "skip() <b>");
    EXPECT_EQ(s(bodyName(u"a\x1b[31mb"_s)), "a[31mb");
    EXPECT_EQ(s(bodyName(u"   "_s)), "anonymous");
    EXPECT_EQ(bodyName(u"abcdefghijklmnopqrstuvwxyz"_s).size(), kMaxNameLength);
}

TEST(HtmlEscape, EscapesMarkupAndQuotes) {
    EXPECT_EQ(s(htmlEscape(u"<script>alert('x') & \"y\"</script>"_s)),
              "&lt;script&gt;alert(&#39;x&#39;) &amp; &quot;y&quot;&lt;/script&gt;");
    EXPECT_EQ(htmlEscape(u"J\u00F6rg (me)"_s), u"J\u00F6rg (me)"_s);
}

TEST(CutToCharacters, NeverSplitsAPair) {
    const std::u16string text = u"a\U0001F40Db";
    EXPECT_EQ(cutToCharacters(text, 1), u"a");
    EXPECT_EQ(cutToCharacters(text, 2), u"a\U0001F40D");
    EXPECT_EQ(cutToCharacters(text, 10), text);
    EXPECT_EQ(cutToCharacters(text, 0), u"");
}

// The plain table of unwanted characters is the server's own copy of what Qt's
// Unicode tables say: every code point must agree.
TEST(ControlCharacters, AreTheControlFormatAndSeparatorCategoriesAndSurrogates) {
    int differences = 0;
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        const auto category = QChar::category(cp);
        const bool unwanted = QChar::isSurrogate(cp) || category == QChar::Other_Control ||
                              category == QChar::Other_Format ||
                              category == QChar::Separator_Line ||
                              category == QChar::Separator_Paragraph;
        if (isControlCharacter(cp) != unwanted && ++differences <= 5)
            ADD_FAILURE() << "U+" << std::hex << unsigned(cp);
    }
    EXPECT_EQ(differences, 0);
    EXPECT_FALSE(isControlCharacter(0x110000));
    // A pair of a wanted character stays; a tag character and a lone half go.
    EXPECT_EQ(removeControlCharacters(u"a\u200Bb\U000E0041c\U0001F40D\xD800"
                                      u"d"),
              u"abc\U0001F40Dd");
}

TEST(LogSafe, EscapesEverythingButPrintableAscii) {
    EXPECT_EQ(logSafe("/Coilrun/data/view.php"), QByteArray("/Coilrun/data/view.php"));
    EXPECT_EQ(logSafe("/a b\x1b[2J\n%"), QByteArray("/a%20b%1B[2J%0A%25"));
    EXPECT_EQ(logSafe("\xc3\xb6"), QByteArray("%C3%B6"));
    EXPECT_EQ(logSafe(QByteArray(300, 'x'), 200), QByteArray(200, 'x') + "...");
}

} // namespace
