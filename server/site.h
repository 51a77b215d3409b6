#pragma once
#include "server/rate_limiter.h"
#include "server/store.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>

namespace coilrun::server {

// One request as the site sees it, already taken apart by the HTTP layer.
struct Request {
    QByteArray method = "GET";
    QString path;        // decoded, e.g. "/Coilrun/data/view.php"
    QByteArray rawQuery; // as sent, percent-encoded, without "?"
    QByteArray cookie;   // the Cookie header, if any
    QString client;      // the peer address; the key of the rate limit
    QByteArray body;     // what a POST carried
};

struct Response {
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/html; charset=utf-8";
    QList<QPair<QByteArray, QByteArray>> headers;

    void addHeader(const QByteArray& name, const QByteArray& value) {
        headers.append({name, value});
    }
};

// The score server's pages: what each path answers,
// what a run report stores, and how failures are answered. A run file POSTed to
// "replay" after a report is re-played with the game's code; it checks the report
// its cookie names when it scores what was reported. Knows nothing of
// sockets; the HTTP layer (http_front_end.h) feeds it.
class Site {
public:
    using WallClock = std::function<qint64()>; // seconds since the epoch
    using SteadyClock = std::function<RateLimiter::Clock::time_point()>;

    // The score browser's frame as the result pages ask for it.
    static constexpr int kBrowserWidth = 758;
    static constexpr int kBrowserHeight = 473;
    static constexpr int kBestCount = 5;   // view.php
    static constexpr int kLatestCount = 5; // view.php
    static constexpr int kTopCount = 10;   // count.php, add
    static constexpr int kRunLevels = 100; // runs.php lists at most this many levels

    Site(Store& store, RateLimiter& limiter, WallClock wallClock = {},
         SteadyClock steadyClock = {});

    Response handle(const Request& request);

private:
    Response viewPage();
    Response countPage(const Request& request);
    Response leaderboardPage(const Request& request, bool framed);
    Response replayUpload(const Request& request);
    Response runsPage();
    Response runDownload(const Request& request);

    Store& store_;
    RateLimiter& limiter_;
    WallClock wallClock_;
    RateLimiter uploadLimiter_; // run files, counted apart from reports, at the same limit
    SteadyClock steadyClock_;
};

} // namespace coilrun::server
