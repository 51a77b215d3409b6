// The real coilrun-scored over real HTTP on loopback, against the backend this
// run was started with (SQLite, or a private PostgreSQL cluster).
#include "online/run_report.h"
#include "server/run_check.h"
#include "tests/integration/server/backend.h"
#include "tests/integration/server/http_client.h"
#include "tests/integration/server/server_process.h"
#include "tests/unit/server/game_title_readers.h"
#include "tests/unit/server/sample_runs.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

using namespace Qt::Literals::StringLiterals;
using namespace coilrun::server;
using namespace coilrun::server::testing;
using Names = std::vector<std::string>;

namespace {

// Names like "c7r12": built with a stream, which also keeps GCC 12's false
// -Wrestrict alarm about chained std::string additions quiet.
std::string runName(char prefix, int client, char separator, int sequence) {
    std::ostringstream name;
    name << prefix << client << separator << sequence;
    return name.str();
}

constexpr char kFramed[] = " width(758) height(473) style(bsSingle)";

std::string report(const std::string& name, long score, const std::string& flag = "FALSE") {
    return "/Coilrun/data/count.php?NEW=" + flag +
           "&DATE=08/12/2026&SCORE=" + std::to_string(score) + "&USER=" + name;
}

class ScoreServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (const QString why = backend().skipReason(); !why.isEmpty())
            GTEST_SKIP() << "PostgreSQL tests skipped: " << why.toStdString();
        static int counter = 0;
        tag_ = u"t"_s + QString::number(++counter);
        QString error;
        ASSERT_TRUE(backend().newStore(tag_, &store_, &error)) << error.toStdString();
        logFile_ = logs().filePath(tag_ + u".log"_s);
    }

    void TearDown() override {
        if (!HasFailure()) return;
        QFile log(logFile_);
        if (log.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> lines = log.readAll().split('\n');
            std::fprintf(stderr, "--- last lines of the server log %s\n", qPrintable(logFile_));
            for (qsizetype i = std::max<qsizetype>(0, lines.size() - 25); i < lines.size(); ++i)
                std::fprintf(stderr, "%s\n", lines[i].constData());
        }
    }

    static QTemporaryDir& logs() {
        static QTemporaryDir dir;
        return dir;
    }

    void startServer(ServerProcess& server, const QStringList& extra = {}) {
        QString error;
        ASSERT_TRUE(server.start(store_.serverArguments + extra, logFile_, &error))
            << error.toStdString();
    }

    HttpReply get(const std::string& target, const std::string& from = {},
                  const std::string& headers = {}) {
        return httpGet(server_.port(), target, from, headers);
    }

    // (name, score) of every stored run, read from the store itself.
    std::multimap<std::string, std::optional<long>> storedRuns() {
        std::multimap<std::string, std::optional<long>> runs;
        const QString connection = u"check-"_s + tag_;
        {
            QString error;
            QSqlDatabase db = openDatabase(store_.config, connection, &error);
            EXPECT_TRUE(db.isOpen()) << error.toStdString();
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(u"SELECT player, score FROM reports"_s));
            while (q.next()) {
                std::optional<long> score;
                if (!q.value(1).isNull()) score = q.value(1).toLongLong();
                runs.emplace(q.value(0).toString().toStdString(), score);
            }
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
        return runs;
    }

    static void expectHtmlPage(const HttpReply& r, int status, const std::string& what) {
        EXPECT_EQ(r.status, status) << what << ": " << r.error;
        EXPECT_EQ(r.header("content-type"), "text/html; charset=utf-8") << what;
        EXPECT_EQ(r.header("cache-control"), "no-store") << what;
        EXPECT_NE(r.body.find("</html>"), std::string::npos) << what;
    }

    QString tag_;
    TestStore store_;
    QString logFile_;
    ServerProcess server_;
};

TEST_F(ScoreServer, EveryPageIsHtmlWithTheTitleTheGameReads) {
    startServer(server_);
    const HttpReply empty = get("/Coilrun/data/view.php");
    expectHtmlPage(empty, 200, "view.php");
    EXPECT_EQ(empty.title(), "+");

    const HttpReply counted = get(report("alice", 1234));
    expectHtmlPage(counted, 200, "count.php");
    EXPECT_EQ(counted.title(),
              std::string("title(Coilrun - alice, 1234 points, rank 1)") + kFramed);
    EXPECT_NE(counted.body.find("href=\"goback\""), std::string::npos);
    EXPECT_NE(counted.body.find("href=\"skip\""), std::string::npos);
    const std::string cookie =
        counted.header("set-cookie").substr(0, counted.header("set-cookie").find(';'));
    EXPECT_EQ(cookie.rfind("coilrun_run=", 0), 0u) << counted.header("set-cookie");

    // What the score browser does next: the size commands reload
    // count.php without its query, the style command loads "add".
    const HttpReply reload = get("/Coilrun/data/count.php", {}, "Cookie: " + cookie + "\r\n");
    expectHtmlPage(reload, 200, "count.php reloaded");
    EXPECT_EQ(reload.title(), counted.title());
    const HttpReply add = get("/Coilrun/data/add", {}, "Cookie: " + cookie + "\r\n");
    expectHtmlPage(add, 200, "add");
    EXPECT_EQ(add.title(), "title(Coilrun - alice, 1234 points, rank 1)");
    EXPECT_NE(add.body.find("href=\"goback\""), std::string::npos);
    EXPECT_NE(add.body.find("href=\"skip\""), std::string::npos);
    EXPECT_EQ(get("/Coilrun/data/add").title(), "title(Coilrun - Scores)");
    EXPECT_EQ(get("/Coilrun/data/count.php").title(),
              std::string("title(Coilrun - Scores)") + kFramed);

    const HttpReply noScore = get("/Coilrun/data/count.php?NEW=TRUE");
    expectHtmlPage(noScore, 200, "count.php without a score");
    EXPECT_EQ(noScore.title(), std::string("title(Coilrun - No score this run)") + kFramed);

    const Names unreadable = {"/Coilrun/data/count.php?garbage",
                              "/Coilrun/data/count.php?SCORE=1&USER=x",
                              "/Coilrun/data/count.php?NEW=T&PAD=" + std::string(6000, 'p')};
    for (const std::string& bad : unreadable) {
        const HttpReply r = get(bad);
        expectHtmlPage(r, 200, "unreadable query");
        EXPECT_EQ(commandNames(r.title()), (Names{"title", "width", "height", "style"}));
        EXPECT_NE(r.body.find("href=\"goback\""), std::string::npos);
    }

    const std::pair<const char*, const char*> fixed[] = {
        {"/Coilrun/data/Velmora.php", "title(Coilrun - Velmora)"},
        {"/Coilrun/data/Kestrin.php", "title(Coilrun - Kestrin)"},
        {"/Coilrun/data/goback", "goback()"},
        {"/Coilrun/data/skip", "skip()"},
    };
    for (const auto& [target, title] : fixed) {
        const HttpReply r = get(target);
        expectHtmlPage(r, 200, target);
        EXPECT_EQ(r.title(), title);
    }
    EXPECT_NE(get("/Coilrun/data/Velmora.php").body.find("href=\"goback\""), std::string::npos);
    EXPECT_NE(get("/Coilrun/data/Kestrin.php").body.find("href=\"goback\""), std::string::npos);

    const HttpReply missing = get("/Coilrun/data/nothing.php");
    expectHtmlPage(missing, 404, "unknown page");
    EXPECT_NE(missing.body.find("href=\"goback\""), std::string::npos);

    // Two reports were made; the reloads, "add" and the unreadable queries stored nothing.
    EXPECT_EQ(storedRuns().size(), 2u);
}

TEST_F(ScoreServer, AReportAppearsInViewAfterwards) {
    startServer(server_);
    ASSERT_EQ(get(report("bob", 500)).status, 200);
    ASSERT_EQ(get(report("J\xC3\xB6rg", 700)).status, 200); // raw UTF-8, as the game sends it
    ASSERT_EQ(get(report("%E5%B1%B1%E7%94%B0", 300)).status, 200); // percent-encoded
    ASSERT_EQ(get(report("skip()+goback()", 900)).status, 200);
    ASSERT_EQ(get(report("%3Cscript%3Ex()%3C/script%3E", 100)).status, 200);
    ASSERT_EQ(get(report("';DROP%20TABLE%20reports;--", 50)).status, 200);

    const HttpReply view = get("/Coilrun/data/view.php");
    expectHtmlPage(view, 200, "view.php");
    const std::string title = view.title();
    EXPECT_EQ(scoreListLines(title),
              (Names{"BEST SCORE:   skipgoback  900", "J\xC3\xB6rg  700", "bob  500",
                     "\xE5\xB1\xB1\xE7\x94\xB0  300", "<script>x</script>  100", "",
                     "- LATEST SCORES -", "';DROP TABLE reports;--  50", "<script>x</script>  100",
                     "skipgoback  900", "\xE5\xB1\xB1\xE7\x94\xB0  300", "J\xC3\xB6rg  700"}))
        << title;
    EXPECT_TRUE(commandNames(title).empty()) << title;
    EXPECT_TRUE(splashTakesAsScoreList(title));
    EXPECT_EQ(view.body.find("<script>"), std::string::npos);
    EXPECT_NE(view.body.find("&lt;script&gt;x()&lt;/script&gt;"), std::string::npos);

    // Stored as sent: the rules apply where text is shown, not to the record.
    const auto runs = storedRuns();
    EXPECT_EQ(runs.size(), 6u);
    EXPECT_EQ(runs.count("skip()+goback()"), 1u);
    EXPECT_EQ(runs.count("J\xC3\xB6rg"), 1u);
    EXPECT_EQ(runs.count("';DROP TABLE reports;--"), 1u);
}

TEST_F(ScoreServer, TheGamesReportAddressStoresTheNameAsMeant) {
    startServer(server_);
    // What the game sends on a quit, blanks, '#', '&' and a non-ASCII letter included.
    const std::string target =
        coilrun::online::runReportUrl("", "ME", 7, "08/12/2026", "Zo\xc3\xab #1 & co");
    ASSERT_EQ(get(target).status, 200);
    const auto runs = storedRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs.begin()->first, "Zo\xc3\xab #1 -and- co");
    EXPECT_EQ(runs.begin()->second, 7);
}

TEST_F(ScoreServer, AThousandReportsFromFiftyClientsAreAllStoredAndAcknowledged) {
    startServer(server_); // with the default rate limit: 20 reports per address stay under it
    constexpr int kClients = 50;
    constexpr int kEach = 20;
    std::mutex mutex;
    std::vector<std::string> failures;
    std::atomic<int> acknowledged{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&, c] {
            const std::string from = "127.0.0." + std::to_string(10 + c);
            for (int r = 0; r < kEach; ++r) {
                const std::string name = runName('c', c, 'r', r);
                const long score = 1 + c * 100 + r;
                const HttpReply reply = httpGet(server_.port(), report(name, score), from, {}, 120);
                const std::string expected =
                    "title(Coilrun - " + name + ", " + std::to_string(score) + " points, rank ";
                if (reply.status == 200 && reply.title().rfind(expected, 0) == 0) {
                    ++acknowledged;
                } else {
                    std::lock_guard lock(mutex);
                    failures.push_back(name + ": " + std::to_string(reply.status) + " " +
                                       reply.error + " " + reply.title());
                }
            }
        });
    }
    for (std::thread& t : clients)
        t.join();
    EXPECT_EQ(acknowledged.load(), kClients * kEach);
    EXPECT_TRUE(failures.empty()) << failures.size() << " failed, first: " << failures.front();

    const auto runs = storedRuns();
    EXPECT_EQ(runs.size(), std::size_t(kClients * kEach));
    for (int c = 0; c < kClients; ++c) {
        for (int r = 0; r < kEach; ++r) {
            const std::string name = runName('c', c, 'r', r);
            const auto it = runs.find(name);
            ASSERT_NE(it, runs.end()) << name;
            EXPECT_EQ(it->second, std::optional<long>(1 + c * 100 + r)) << name;
        }
    }
    // The best of them heads the list.
    EXPECT_EQ(scoreListLines(get("/Coilrun/data/view.php").title()).front(),
              "BEST SCORE:   c49r19  4920");
}

TEST_F(ScoreServer, ReportsAcknowledgedBeforeASigkillSurviveIt) {
    startServer(server_, {u"--rate-limit"_s, u"0"_s});
    constexpr int kClients = 8;
    constexpr int kAcksBeforeKill = 200;
    std::atomic<int> acknowledged{0};
    std::atomic<int> interrupted{0};
    std::atomic<bool> stop{false};
    std::vector<std::vector<std::string>> acked(kClients);
    std::vector<std::thread> clients;
    const unsigned short port = server_.port();
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&, c] {
            for (int seq = 0; seq < 5000 && !stop; ++seq) {
                const std::string name = runName('k', c, 'x', seq);
                const HttpReply reply = httpGet(port, report(name, 10 + seq), {}, {}, 60);
                if (reply.status != 200) {
                    ++interrupted;
                    return; // the server is gone
                }
                acked[c].push_back(name);
                ++acknowledged;
            }
        });
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (acknowledged < kAcksBeforeKill && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    server_.kill(); // SIGKILL, while the clients keep sending
    stop = true;
    for (std::thread& t : clients)
        t.join();
    ASSERT_GE(acknowledged.load(), kAcksBeforeKill) << "the burst was too slow to get going";
    RecordProperty("acknowledged", acknowledged.load());
    RecordProperty("interrupted_clients", interrupted.load());

    ServerProcess restarted;
    startServer(restarted);
    const auto runs = storedRuns();
    int lost = 0;
    for (const auto& names : acked)
        for (const std::string& name : names)
            lost += runs.count(name) == 1 ? 0 : 1;
    EXPECT_EQ(lost, 0) << "of " << acknowledged.load() << " acknowledged reports";
    EXPECT_GE(runs.size(), std::size_t(acknowledged.load()));
    // The restarted server serves from the same store, and takes new reports.
    EXPECT_EQ(httpGet(restarted.port(), "/Coilrun/data/view.php").status, 200);
    EXPECT_EQ(httpGet(restarted.port(), report("after", 1)).status, 200);
    EXPECT_EQ(storedRuns().count("after"), 1u);
}

TEST_F(ScoreServer, TheRateLimitHolds) {
    startServer(server_);
    for (int i = 0; i < 40; ++i) {
        const HttpReply r = get(report("flood" + std::to_string(i), 100 + i), "127.0.0.200");
        EXPECT_EQ(r.status, 200) << i << " " << r.error; // the normal page, stored or not
        EXPECT_EQ(commandNames(r.title()), (Names{"title", "width", "height", "style"})) << i;
    }
    EXPECT_EQ(get(report("neighbour", 5), "127.0.0.201").status, 200);
    // The reload after a size change is no report and is not limited.
    EXPECT_EQ(get("/Coilrun/data/count.php", "127.0.0.200").status, 200);

    const auto runs = storedRuns();
    int flood = 0;
    for (int i = 0; i < 40; ++i)
        flood += int(runs.count("flood" + std::to_string(i)));
    EXPECT_EQ(flood, 30);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(runs.count("flood" + std::to_string(i)), 1u) << i;
    EXPECT_EQ(runs.count("neighbour"), 1u);
}

TEST_F(ScoreServer, TheLogHasOneLinePerRequestAndNoPlayerText) {
    startServer(server_);
    get("/Coilrun/data/view.php");
    get(report("SecretName%0A%1B[31mfake", 3));
    get("/Coilrun/data/%1B]0;title%07");
    EXPECT_EQ(server_.terminate(), 0); // SIGTERM ends it cleanly

    QFile log(logFile_);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_FALSE(text.contains("SecretName"));
    EXPECT_FALSE(text.contains('\x1b'));
    static const QRegularExpression line(
        u"^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z GET (\\S+) (\\d{3}) \\d+\\.\\d\\dms$"_s);
    std::vector<std::string> paths;
    for (const QByteArray& l : text.split('\n')) {
        if (l.isEmpty()) continue;
        const auto m = line.match(QString::fromLatin1(l));
        ASSERT_TRUE(m.hasMatch()) << l.constData();
        paths.push_back((m.captured(1) + u' ' + m.captured(2)).toStdString());
    }
    EXPECT_EQ(paths, (Names{"/Coilrun/data/view.php 200", "/Coilrun/data/count.php 200",
                            "/Coilrun/data/%1B]0;title%07 404"}));
}

TEST_F(ScoreServer, HelpDocumentsEveryOption) {
    QProcess help;
    help.start(ServerProcess::executable(), {u"--help"_s});
    ASSERT_TRUE(help.waitForFinished(60'000));
    EXPECT_EQ(help.exitCode(), 0);
    const QString text = QString::fromUtf8(help.readAllStandardOutput());
    for (const char16_t* option :
         {u"--listen HOST:PORT", u"--db PATH", u"--db-url URL", u"--rate-limit N",
          u"--sync full|normal", u"--help", u"--version"})
        EXPECT_TRUE(text.contains(QStringView(option))) << QString::fromUtf16(option).toStdString();

    QProcess wrong;
    wrong.start(ServerProcess::executable(), {u"--no-such-option"_s});
    ASSERT_TRUE(wrong.waitForFinished(60'000));
    EXPECT_EQ(wrong.exitCode(), 2);
}

TEST_F(ScoreServer, ARunFileSentAfterItsReportChecksTheScore) {
    startServer(server_);
    const SampleRun& run = wonLevelOne();
    const HttpReply counted = get(report("alice", run.summary.score));
    const std::string cookie =
        counted.header("set-cookie").substr(0, counted.header("set-cookie").find(';'));
    const std::string file(run.file.constData(), std::size_t(run.file.size()));

    const HttpReply stored =
        httpPost(server_.port(), "/Coilrun/data/replay", file, "Cookie: " + cookie + "\r\n");
    EXPECT_EQ(stored.status, 200) << stored.error << stored.body;
    const HttpReply view = get("/Coilrun/data/view.php");
    EXPECT_EQ(view.title(), "alice  " + std::to_string(run.summary.score) + "++alice  " +
                                std::to_string(run.summary.score) + "+");
    EXPECT_NE(view.body.find("\u2713 checked"), std::string::npos);
    EXPECT_EQ(get("/Coilrun/data/runs.php").status, 200);
    const HttpReply download = get("/Coilrun/data/run.coilrun?id=1");
    EXPECT_EQ(download.header("content-type"), "application/octet-stream");
    EXPECT_EQ(download.body, file);

    const HttpReply large = httpPost(server_.port(), "/Coilrun/data/replay",
                                     std::string(std::size_t(kMaxRunUploadBytes) + 1, 'x'));
    EXPECT_EQ(large.status, 413) << large.error;
}

} // namespace
