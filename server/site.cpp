#include "server/site.h"

#include "server/pages.h"
#include "server/query.h"
#include "server/run_check.h"
#include "server/run_cookie.h"
#include "server/sanitize.h"
#include "server/titles.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QUrlQuery>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server {
namespace {

constexpr QStringView kFolder = u"/Coilrun/data/";

Response html(QByteArray body, int status = 200) {
    Response r;
    r.status = status;
    r.body = std::move(body);
    return r;
}

QString framedTitle(const std::optional<RunResult>& result) {
    return pageCommandTitle(
        {resultCaption(result), Site::kBrowserWidth, Site::kBrowserHeight, u"bsSingle"_s});
}

} // namespace

Site::Site(Store& store, RateLimiter& limiter, WallClock wallClock, SteadyClock steadyClock)
    : store_(store), limiter_(limiter), wallClock_(std::move(wallClock)),
      uploadLimiter_(limiter.limit()), steadyClock_(std::move(steadyClock)) {
    if (!wallClock_) wallClock_ = [] { return QDateTime::currentSecsSinceEpoch(); };
    if (!steadyClock_) steadyClock_ = [] { return RateLimiter::Clock::now(); };
}

Response Site::handle(const Request& request) {
    const bool upload = request.path == u"/Coilrun/data/replay";
    if (upload != (request.method == "POST") ||
        (!upload && request.method != "GET" && request.method != "HEAD")) {
        Response r = html(problemPage(captionTitle(u"Coilrun"_s), u"Not allowed"_s,
                                      upload ? u"Run files are sent here by POST."_s
                                             : u"This server answers page loads only."_s),
                          405);
        r.addHeader("Allow", upload ? "POST" : "GET, HEAD");
        return r;
    }
    if (upload) return replayUpload(request);
    if (request.path == u"/" || request.path == u"/Coilrun/data" || request.path == kFolder) {
        Response r = html(commandPage(u"Coilrun"_s, u"The scores are at view.php."_s), 302);
        r.addHeader("Location", "/Coilrun/data/view.php");
        return r;
    }
    const QStringView page = QStringView(request.path).startsWith(kFolder)
                                 ? QStringView(request.path).sliced(kFolder.size())
                                 : QStringView();
    if (page == u"view.php") return viewPage();
    if (page == u"count.php") return countPage(request);
    if (page == u"add") return leaderboardPage(request, false);
    if (page == u"runs.php") return runsPage();
    if (page == u"run.coilrun") return runDownload(request);
    if (page == u"Velmora.php")
        return html(creditPage(captionTitle(u"Coilrun - Velmora"_s), u"Velmora"_s,
                               u"Developed and realized by"_s));
    if (page == u"Kestrin.php")
        return html(
            creditPage(captionTitle(u"Coilrun - Kestrin"_s), u"Kestrin"_s, u"Music composed by"_s));
    if (page == u"goback")
        return html(commandPage(QString::fromUtf16(kGoBackTitle), u"Back to the game..."_s));
    if (page == u"skip")
        return html(commandPage(QString::fromUtf16(kSkipTitle), u"Closing Coilrun..."_s));
    return html(problemPage(captionTitle(u"Coilrun"_s), u"No such page"_s,
                            u"This address does not lead anywhere."_s),
                404);
}

Response Site::viewPage() {
    try {
        const std::vector<ScoreEntry> best = store_.best(kBestCount);
        const std::vector<ScoreEntry> latest = store_.latest(kLatestCount);
        return html(scoreListPage(scoreListTitle(best, latest), best, latest));
    } catch (const StoreError& e) {
        std::fprintf(stderr, "store: reading the score list failed: %s\n", e.what());
        // Its fifth character is ":", so the game says the list is unavailable.
        return html(problemPage(unavailableScoreListTitle(), u"Scores unavailable"_s,
                                u"The score list cannot be read right now."_s),
                    503);
    }
}

Response Site::countPage(const Request& request) {
    const CountQuery query =
        parseCountQuery(std::string_view(request.rawQuery.constData(), request.rawQuery.size()));
    if (query.kind == CountQueryKind::None) return leaderboardPage(request, true);
    if (query.kind == CountQueryKind::Unreadable) {
        // Status 200: a web view may treat any other status as a failed load and
        // ignore the title, and this page must still frame the window.
        return html(problemPage(framedTitle(std::nullopt), u"Report not understood"_s,
                                u"This run report could not be read, so nothing was stored."_s));
    }

    const RunReport& report = query.report;
    const bool allowed = limiter_.allow(request.client, steadyClock_());
    RunResult result;
    result.name = QString::fromStdU16String(report.user);
    result.score = report.score;
    if (allowed) {
        try {
            result.id = store_.addReport(report, wallClock_());
        } catch (const StoreError& e) {
            std::fprintf(stderr, "store: storing a report failed: %s\n", e.what());
            return html(problemPage(framedTitle(std::nullopt), u"Score not saved"_s,
                                    u"The server could not store this run. Please try again "
                                    u"later."_s),
                        503);
        }
    }
    // The report is committed (or deliberately not kept): from here on a failure
    // only leaves the page shorter, it never withholds the acknowledgement.
    std::vector<ScoreEntry> top;
    try {
        if (result.score) result.rank = store_.rankOf(*result.score);
        top = store_.best(kTopCount);
    } catch (const StoreError& e) {
        std::fprintf(stderr, "store: reading the top scores failed: %s\n", e.what());
    }
    Response r = html(resultPage(framedTitle(result), result, top,
                                 allowed ? ResultNote::None : ResultNote::NotStored));
    r.addHeader("Set-Cookie", QByteArray::fromStdString(runCookie(result.id)));
    return r;
}

Response Site::leaderboardPage(const Request& request, bool framed) {
    try {
        std::optional<RunResult> result;
        if (const qint64 id = runIdFromCookieHeader(
                std::string_view(request.cookie.constData(), request.cookie.size()));
            id > 0)
            result = store_.result(id);
        const std::vector<ScoreEntry> top = store_.best(kTopCount);
        // "add" comes after the first style command: it only names the window.
        const QString title = framed ? framedTitle(result) : captionTitle(resultCaption(result));
        return html(resultPage(title, result, top));
    } catch (const StoreError& e) {
        std::fprintf(stderr, "store: reading the leaderboard failed: %s\n", e.what());
        return html(problemPage(framed ? framedTitle(std::nullopt)
                                       : captionTitle(resultCaption(std::nullopt)),
                                u"Scores unavailable"_s, u"The scores cannot be read right now."_s),
                    503);
    }
}

Response Site::replayUpload(const Request& request) {
    const QString title = captionTitle(u"Coilrun - Run"_s);
    if (request.body.size() > kMaxRunUploadBytes)
        return html(problemPage(title, u"Run too large"_s,
                                u"This file is larger than any run the server takes."_s),
                    413);
    if (!uploadLimiter_.allow(request.client, steadyClock_()))
        return html(problemPage(title, u"Too many runs"_s,
                                u"Too many runs from your address in the last minute."_s),
                    429);
    try {
        StoredRun run;
        run.file = request.body;
        run.digest = QCryptographicHash::hash(request.body, QCryptographicHash::Sha256).toHex();
        // A file is taken once: re-sending someone's run cannot check a second report.
        if (store_.runWithDigest(run.digest))
            return html(problemPage(title, u"Run already stored"_s, u"This run was sent before."_s),
                        409);
        const CheckedRun checked = replayRunFile(request.body);
        if (!checked.summary)
            return html(problemPage(title, u"Not a run"_s,
                                    u"This file cannot be re-played: "_s + checked.error),
                        400);
        run.summary = *checked.summary;
        const qint64 reportId = runIdFromCookieHeader(
            std::string_view(request.cookie.constData(), request.cookie.size()));
        if (const std::optional<RunResult> report =
                reportId > 0 ? store_.result(reportId) : std::nullopt) {
            run.reportId = reportId;
            run.player = report->name;
            run.checksReport = !report->checked && run.summary.won && report->score &&
                               *report->score == run.summary.score;
        }
        store_.addRun(run, wallClock_());
        return html(runStoredPage(title, run.summary, run.checksReport));
    } catch (const StoreError& e) {
        std::fprintf(stderr, "store: storing a run failed: %s\n", e.what());
        return html(
            problemPage(title, u"Run not saved"_s, u"The server could not store this run."_s), 503);
    }
}

Response Site::runsPage() {
    try {
        return html(runsListPage(captionTitle(u"Coilrun - Best runs"_s),
                                 store_.bestCheckedRuns(kRunLevels)));
    } catch (const StoreError& e) {
        std::fprintf(stderr, "store: reading the best runs failed: %s\n", e.what());
        return html(problemPage(captionTitle(u"Coilrun - Best runs"_s), u"Runs unavailable"_s,
                                u"The runs cannot be read right now."_s),
                    503);
    }
}

Response Site::runDownload(const Request& request) {
    const QUrlQuery query(QString::fromLatin1(request.rawQuery));
    bool ok = false;
    const qint64 id = query.queryItemValue(u"id"_s).toLongLong(&ok);
    std::optional<RunFile> file;
    try {
        if (ok && id > 0) file = store_.checkedRunFile(id);
    } catch (const StoreError& e) {
        std::fprintf(stderr, "store: reading a run file failed: %s\n", e.what());
        return html(problemPage(captionTitle(u"Coilrun"_s), u"Run unavailable"_s,
                                u"The run cannot be read right now."_s),
                    503);
    }
    if (!file)
        return html(problemPage(captionTitle(u"Coilrun"_s), u"No such run"_s,
                                u"There is no checked run by that number."_s),
                    404);
    Response r;
    r.body = file->bytes;
    r.contentType = "application/octet-stream";
    char name[96];
    std::snprintf(name, sizeof name, "attachment; filename=\"coilrun-level%02d-run%lld.coilrun\"",
                  file->level, static_cast<long long>(id));
    r.addHeader("Content-Disposition", name);
    return r;
}

} // namespace coilrun::server
