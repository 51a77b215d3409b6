// Run files sent to the site after a report: re-played with the game's code on a
// real SQLite store, they check the report only when they score what it said.
#include "game/replay/run_events.h"
#include "game/replay/run_file.h"
#include "server/run_check.h"
#include "server/site.h"
#include "tests/unit/server/sample_runs.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace coilrun;
using namespace coilrun::server;
using coilrun::server::testing::wonLevelOne;

namespace {

class ReplayUpload : public ::testing::Test {
protected:
    ReplayUpload()
        : store_(config()), limiter_(30), site_(store_, limiter_, [] { return 1'800'000'000; }) {}

    DatabaseConfig config() {
        DatabaseConfig c;
        c.sqlitePath = dir_.filePath(u"scores.sqlite"_s);
        c.sqliteFullSync = false;
        return c;
    }

    Response get(const QString& page, QByteArray query = {}, QString client = u"127.0.0.1"_s) {
        Request r;
        r.path = u"/Coilrun/data/"_s + page;
        r.rawQuery = std::move(query);
        r.client = std::move(client);
        return site_.handle(r);
    }

    // Reports the score as alice; the cookie its answer sets.
    QByteArray report(qint64 score) {
        const Response r = get(
            u"count.php"_s, "NEW=FALSE&DATE=d&SCORE=" + QByteArray::number(score) + "&USER=alice");
        for (const auto& [name, value] : r.headers)
            if (name == "Set-Cookie") return value.split(';').front();
        return {};
    }

    Response upload(const QByteArray& file, const QByteArray& cookie = {},
                    const QString& client = u"127.0.0.1"_s) {
        Request r;
        r.method = "POST";
        r.path = u"/Coilrun/data/replay"_s;
        r.body = file;
        r.cookie = cookie;
        r.client = client;
        return site_.handle(r);
    }

    static std::string title(const Response& r) {
        static const QRegularExpression re(u"<title>(.*)</title>"_s);
        return re.match(QString::fromUtf8(r.body)).captured(1).toStdString();
    }

    QTemporaryDir dir_;
    Store store_;
    RateLimiter limiter_;
    Site site_;
};

TEST_F(ReplayUpload, AnHonestRunChecksItsReportOnceAndCanBeDownloaded) {
    const auto& run = wonLevelOne();
    ASSERT_TRUE(run.summary.won);
    const QByteArray cookie = report(run.summary.score);
    const std::string reportedTitle = title(get(u"view.php"_s));
    EXPECT_FALSE(get(u"view.php"_s).body.contains("\u2713"));

    const Response stored = upload(run.file, cookie);
    EXPECT_EQ(stored.status, 200);
    EXPECT_TRUE(stored.body.contains("checks the one you reported")) << stored.body.constData();

    const Response view = get(u"view.php"_s);
    EXPECT_EQ(title(view), reportedTitle) << "the title the game reads is unchanged";
    EXPECT_EQ(view.body.count("\u2713 checked"), 2) << "in the best and the latest list";

    const Response runs = get(u"runs.php"_s);
    EXPECT_EQ(title(runs), "title(Coilrun - Best runs)");
    const QRegularExpression link(u"href=\"run.coilrun\\?id=(\\d+)\""_s);
    const auto m = link.match(QString::fromUtf8(runs.body));
    ASSERT_TRUE(m.hasMatch()) << runs.body.constData();
    const Response file = get(u"run.coilrun"_s, "id=" + m.captured(1).toLatin1());
    EXPECT_EQ(file.status, 200);
    EXPECT_EQ(file.contentType, "application/octet-stream");
    EXPECT_EQ(file.body, run.file);
    bool named = false;
    for (const auto& [name, value] : file.headers)
        named = named || (name == "Content-Disposition" && value.contains(".coilrun\"") &&
                          value.contains("level01"));
    EXPECT_TRUE(named);

    // The same file again, for a second report of the same score: taken once only.
    const QByteArray second = report(run.summary.score);
    EXPECT_EQ(upload(run.file, second).status, 409);
    EXPECT_EQ(get(u"view.php"_s).body.count("\u2713 checked"), 2);
    EXPECT_EQ(get(u"run.coilrun"_s, "id=999").status, 404);
}

TEST_F(ReplayUpload, ARaisedOrForgedScoreIsNeverChecked) {
    const auto& run = wonLevelOne();
    // A raised score with the real run behind it, a score with no run at all, and
    // the real run sent without the cookie of any report.
    const QByteArray raised = report(run.summary.score + 1);
    const Response stored = upload(run.file, raised);
    EXPECT_EQ(stored.status, 200) << "the run is stored all the same";
    EXPECT_TRUE(stored.body.contains("checks no reported score"));
    report(run.summary.score);
    EXPECT_FALSE(get(u"view.php"_s).body.contains("\u2713"));
    EXPECT_TRUE(get(u"runs.php"_s).body.contains("No checked runs yet."));
}

TEST_F(ReplayUpload, DamagedHostileAndOversizedFilesAreRefused) {
    const auto& run = wonLevelOne();
    const QByteArray cookie = report(run.summary.score);
    QByteArray flipped = run.file;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x10);

    // Sound checksums around steps that ask for hours of play, or millions of steps.
    replay::RunRecord record =
        replay::readRunFile(std::vector<std::uint8_t>(run.file.begin(), run.file.end()));
    auto withEvents = [&](int count, double step) {
        replay::EventWriter events;
        replay::RunEvent e;
        e.handler = replay::RunHandler::Cadencer1Progress;
        e.deltaTime = step;
        for (int i = 0; i < count; ++i)
            events.write(e);
        replay::RunRecord r = record;
        r.events = events.out.bytes;
        r.eventCount = events.count;
        const std::vector<std::uint8_t> bytes = replay::writeRunFile(r);
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    };
    const QByteArray hours = withEvents(3, 3000);
    // The honest run's first half: it never reaches the level-over screen.
    replay::EventReader reader(record.events);
    replay::EventWriter firstHalf;
    for (std::uint32_t i = 0; i < record.eventCount / 2; ++i)
        firstHalf.write(reader.next());
    replay::RunRecord cut = record;
    cut.events = firstHalf.out.bytes;
    cut.eventCount = firstHalf.count;
    const std::vector<std::uint8_t> cutBytes = replay::writeRunFile(cut);
    const QByteArray unfinished(reinterpret_cast<const char*>(cutBytes.data()),
                                qsizetype(cutBytes.size()));
    const QByteArray manySteps = withEvents(int(kMaxReplayEvents) + 1, 0.001);
    ASSERT_LT(manySteps.size(), kMaxRunUploadBytes);

    for (const QByteArray& bad :
         {QByteArray(), QByteArray("not a run"), run.file.left(run.file.size() - 7), flipped, hours,
          manySteps, unfinished}) {
        const Response r = upload(bad, cookie);
        EXPECT_EQ(r.status, 400) << r.body.constData();
    }
    EXPECT_TRUE(replayRunFile(hours).error.contains(u"longer"_s));
    EXPECT_TRUE(replayRunFile(unfinished).error.contains(u"level-over"_s));
    EXPECT_EQ(upload(run.file + QByteArray(kMaxRunUploadBytes, 'x'), cookie).status, 413);
    EXPECT_FALSE(get(u"view.php"_s).body.contains("\u2713"));

    // Nothing of them was kept: the real file still checks the report.
    const Response honest = upload(run.file, cookie);
    EXPECT_EQ(honest.status, 200);
    EXPECT_TRUE(honest.body.contains("checks the one you reported"));
}

TEST_F(ReplayUpload, AFloodOfUploadsIsCutOffPerAddress) {
    Request getReplay;
    getReplay.path = u"/Coilrun/data/replay"_s;
    EXPECT_EQ(site_.handle(getReplay).status, 405);
    for (int i = 0; i < limiter_.limit(); ++i)
        EXPECT_EQ(upload("junk " + QByteArray::number(i), {}, u"10.0.0.1"_s).status, 400);
    EXPECT_EQ(upload("junk", {}, u"10.0.0.1"_s).status, 429);
    EXPECT_EQ(upload(wonLevelOne().file, {}, u"10.0.0.1"_s).status, 429)
        << "not even a good file gets through";
    EXPECT_EQ(upload(wonLevelOne().file, {}, u"10.0.0.2"_s).status, 200) << "another address does";
    EXPECT_FALSE(get(u"count.php"_s, "NEW=FALSE&DATE=d&SCORE=5&USER=x", u"10.0.0.1"_s)
                     .body.contains("was not kept"))
        << "uploads and reports are counted apart";
}

} // namespace
