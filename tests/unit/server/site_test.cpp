// The site in-process, on a real SQLite store in a temporary folder: what each
// page answers, what is stored and what is not. The same behaviour over real
// HTTP is tested in tests/integration/server.
#include "server/site.h"
#include "tests/unit/server/game_title_readers.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace coilrun::server;
using coilrun::server::testing::commandNames;
using coilrun::server::testing::scoreListLines;
using Names = std::vector<std::string>;

namespace {

class SiteTest : public ::testing::Test {
protected:
    SiteTest() : store_(config()), limiter_(30), site_(store_, limiter_, [this] { return now_; }) {}

    DatabaseConfig config() {
        DatabaseConfig c;
        c.sqlitePath = dir_.filePath(u"scores.sqlite"_s);
        c.sqliteFullSync = false; // no disk flush per report: these tests store many
        return c;
    }

    Response get(const QString& page, QByteArray query = {}, QByteArray cookie = {},
                 QString client = u"127.0.0.1"_s) {
        Request r;
        r.path = u"/Coilrun/data/"_s + page;
        r.rawQuery = std::move(query);
        r.cookie = std::move(cookie);
        r.client = std::move(client);
        return site_.handle(r);
    }

    static std::string title(const Response& r) {
        static const QRegularExpression re(u"<title>(.*)</title>"_s);
        const auto m = re.match(QString::fromUtf8(r.body));
        return m.hasMatch() ? m.captured(1).toStdString() : std::string("<no title>");
    }

    static QByteArray header(const Response& r, const QByteArray& name) {
        for (const auto& [n, v] : r.headers)
            if (n == name) return v;
        return {};
    }

    qint64 storedReports() {
        QString error;
        QSqlDatabase db = openDatabase(config(), u"site-test-check"_s, &error);
        qint64 n = -1;
        {
            QSqlQuery q(db);
            if (q.exec(u"SELECT COUNT(*) FROM reports"_s) && q.next()) n = q.value(0).toLongLong();
        }
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(u"site-test-check"_s);
        return n;
    }

    static bool offersTheWayBack(const Response& r) { return r.body.contains("href=\"goback\""); }

    QTemporaryDir dir_;
    Store store_;
    RateLimiter limiter_;
    qint64 now_ = 1'800'000'000;
    Site site_;
};

TEST_F(SiteTest, AnEmptyStoreListsNothing) {
    const Response r = get(u"view.php"_s);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(title(r), "+");
    EXPECT_TRUE(r.body.contains("No scores yet."));
}

TEST_F(SiteTest, AReportIsStoredAndListed) {
    const Response r = get(u"count.php"_s, "NEW=FALSE&DATE=08/12/2026&SCORE=1234&USER=alice");
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(title(r),
              "title(Coilrun - alice, 1234 points, rank 1) width(758) height(473) style(bsSingle)");
    EXPECT_TRUE(offersTheWayBack(r));
    EXPECT_TRUE(r.body.contains("href=\"skip\""));
    EXPECT_TRUE(header(r, "Set-Cookie").startsWith("coilrun_run=1;"));
    get(u"count.php"_s, "NEW=FALSE&DATE=08/12/2026&SCORE=99&USER=bob");
    EXPECT_EQ(title(get(u"view.php"_s)), "alice  1234+bob  99++bob  99+alice  1234+");
    EXPECT_EQ(storedReports(), 2);
}

TEST_F(SiteTest, ARunWithoutScoreIsStoredButNotListed) {
    const Response r = get(u"count.php"_s, "NEW=TRUE");
    EXPECT_EQ(title(r),
              "title(Coilrun - No score this run) width(758) height(473) style(bsSingle)");
    EXPECT_EQ(storedReports(), 1);
    EXPECT_EQ(title(get(u"view.php"_s)), "+");
}

TEST_F(SiteTest, TheReloadWithoutQueryStoresNothingAndShowsTheCookiesRun) {
    get(u"count.php"_s, "NEW=FALSE&DATE=d&SCORE=10&USER=first");
    const Response report = get(u"count.php"_s, "NEW=FALSE&DATE=d&SCORE=500&USER=carol");
    const QByteArray cookie = header(report, "Set-Cookie").split(';').front();
    EXPECT_EQ(cookie, "coilrun_run=2");

    const Response reload = get(u"count.php"_s, {}, "other=1; " + cookie);
    EXPECT_EQ(reload.status, 200);
    EXPECT_EQ(title(reload), title(report)); // the same kind of page, the same frame
    const Response add = get(u"add"_s, {}, cookie);
    EXPECT_EQ(title(add), "title(Coilrun - carol, 500 points, rank 1)");
    EXPECT_TRUE(offersTheWayBack(add));
    EXPECT_TRUE(add.body.contains("<tr class=\"you\">"));
    EXPECT_EQ(storedReports(), 2);

    // Without a cookie, or with one that is not ours, it is just the leaderboard.
    EXPECT_EQ(title(get(u"count.php"_s)),
              "title(Coilrun - Scores) width(758) height(473) style(bsSingle)");
    for (QByteArray bad : {"coilrun_run=abc", "coilrun_run=", "coilrun_run=999",
                           "coilrun_run=99999999999999999999", "xcoilrun_run=2"})
        EXPECT_EQ(title(get(u"add"_s, {}, bad)), "title(Coilrun - Scores)") << bad.constData();
}

TEST_F(SiteTest, AnUnreadableQueryStillLeadsBackToTheGame) {
    const std::vector<QByteArray> queries = {"garbage", "SCORE=5&USER=x",
                                             "NEW=T&P=" + QByteArray(5000, 'p')};
    for (const QByteArray& query : queries) {
        const Response r = get(u"count.php"_s, query);
        EXPECT_EQ(r.status, 200);
        EXPECT_EQ(commandNames(title(r)), (Names{"title", "width", "height", "style"}));
        EXPECT_TRUE(offersTheWayBack(r));
    }
    EXPECT_EQ(storedReports(), 0);
}

TEST_F(SiteTest, OverTheRateLimitTheRunIsShownButNotStored) {
    for (int i = 0; i < 30; ++i)
        get(u"count.php"_s, "NEW=FALSE&SCORE=" + QByteArray::number(i) + "&USER=u");
    const Response over = get(u"count.php"_s, "NEW=FALSE&SCORE=5000&USER=late");
    EXPECT_EQ(over.status, 200);
    EXPECT_EQ(title(over), "title(Coilrun - late, 5000 points, rank 1) width(758) height(473) "
                           "style(bsSingle)");
    EXPECT_TRUE(over.body.contains("was not kept"));
    // The cookie of an earlier run is cleared, so the reload does not show it.
    EXPECT_TRUE(header(over, "Set-Cookie").contains("Max-Age=0"));
    EXPECT_EQ(storedReports(), 30);
    // Another address is not affected.
    get(u"count.php"_s, "NEW=FALSE&SCORE=1&USER=v", {}, u"127.0.0.2"_s);
    EXPECT_EQ(storedReports(), 31);
}

TEST_F(SiteTest, PlayerTextIsEscapedInBodiesAndHarmlessInTitles) {
    get(u"count.php"_s, "NEW=FALSE&SCORE=77&USER=%3Cscript%3Ex%3C/script%3E");
    get(u"count.php"_s, "NEW=FALSE&SCORE=66&USER=skip()");
    get(u"count.php"_s, "NEW=FALSE&SCORE=55&USER=';DROP%20TABLE%20reports;--");
    const Response view = get(u"view.php"_s);
    EXPECT_FALSE(view.body.contains("<script>"));
    EXPECT_TRUE(view.body.contains("&lt;script&gt;x&lt;/script&gt;"));
    EXPECT_TRUE(view.body.contains("skip()")); // shown as written in the body
    EXPECT_TRUE(view.body.contains("&#39;;DROP TABLE reports;--"));
    const std::string t = title(view);
    EXPECT_TRUE(commandNames(t).empty()) << t;
    EXPECT_EQ(scoreListLines(t).size(), 3u + 2u + 3u) << t;
    EXPECT_EQ(storedReports(), 3);
}

TEST_F(SiteTest, RanksAreExactDownToAThousandAndBoundedBeyond) {
    for (int i = 0; i < 1001; ++i) {
        RunReport r;
        r.newFlag = u"FALSE";
        r.score = 5000 + i;
        r.user = (u"p"_s + QString::number(i)).toStdU16String();
        store_.addReport(r, now_);
    }
    EXPECT_EQ(store_.rankOf(6000), 1);
    EXPECT_EQ(store_.rankOf(5001), kExactRanks);
    EXPECT_EQ(store_.rankOf(5000), kExactRanks + 1);
    EXPECT_EQ(store_.rankOf(1), kExactRanks + 1);
    const Response low = get(u"count.php"_s, "NEW=FALSE&SCORE=10&USER=late");
    EXPECT_EQ(title(low), "title(Coilrun - late, 10 points, rank over 1000) width(758) height(473) "
                          "style(bsSingle)");
    EXPECT_TRUE(low.body.contains("Rank: over 1000"));
    const Response mid = get(u"count.php"_s, "NEW=FALSE&SCORE=5500&USER=mid");
    EXPECT_EQ(title(mid), "title(Coilrun - mid, 5500 points, rank 501) width(758) height(473) "
                          "style(bsSingle)");
}

TEST_F(SiteTest, CreditAndCommandPages) {
    EXPECT_EQ(title(get(u"Velmora.php"_s)), "title(Coilrun - Velmora)");
    EXPECT_EQ(title(get(u"Kestrin.php"_s)), "title(Coilrun - Kestrin)");
    EXPECT_TRUE(offersTheWayBack(get(u"Velmora.php"_s)));
    EXPECT_TRUE(offersTheWayBack(get(u"Kestrin.php"_s)));
    EXPECT_EQ(title(get(u"goback"_s)), "goback()");
    EXPECT_EQ(title(get(u"skip"_s)), "skip()");
}

TEST_F(SiteTest, UnknownPagesAndMethods) {
    const Response missing = get(u"VIEW.PHP"_s);
    EXPECT_EQ(missing.status, 404);
    EXPECT_TRUE(offersTheWayBack(missing));
    Request post;
    post.method = "POST";
    post.path = u"/Coilrun/data/count.php"_s;
    post.rawQuery = "NEW=TRUE";
    EXPECT_EQ(site_.handle(post).status, 405);
    EXPECT_EQ(storedReports(), 0);
    Request root;
    root.path = u"/"_s;
    EXPECT_EQ(site_.handle(root).status, 302);
}

TEST_F(SiteTest, AStoreFailureIsAnsweredAndTheNextRequestRecovers) {
    get(u"count.php"_s, "NEW=FALSE&SCORE=5&USER=a");
    {
        QString error;
        QSqlDatabase db = openDatabase(config(), u"site-test-vandal"_s, &error);
        QSqlQuery(db).exec(u"DROP TABLE reports"_s);
        db.close();
    }
    QSqlDatabase::removeDatabase(u"site-test-vandal"_s);

    const Response view = get(u"view.php"_s);
    EXPECT_EQ(view.status, 503);
    EXPECT_EQ(title(view)[4], ':'); // the game takes it for "no score list"
    // The store reconnects and sets the schema up again.
    const Response report = get(u"count.php"_s, "NEW=FALSE&SCORE=7&USER=b");
    EXPECT_EQ(report.status, 200);
    EXPECT_EQ(title(get(u"view.php"_s)), "b  7++b  7+");
}

} // namespace
