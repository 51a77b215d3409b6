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
};

struct Response {
    int status = 200;
    QByteArray body; // always text/html; charset=utf-8
    QList<QPair<QByteArray, QByteArray>> headers;

    void addHeader(const QByteArray& name, const QByteArray& value) {
        headers.append({name, value});
    }
};

// The score server's pages (Parts 1.1, 3.2, 4.1, 4.2): what each path answers,
// what a run report stores, and how failures are answered. Knows nothing of
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

    Site(Store& store, RateLimiter& limiter, WallClock wallClock = {},
         SteadyClock steadyClock = {});

    Response handle(const Request& request);

private:
    Response viewPage();
    Response countPage(const Request& request);
    Response leaderboardPage(const Request& request, bool framed);

    Store& store_;
    RateLimiter& limiter_;
    WallClock wallClock_;
    SteadyClock steadyClock_;
};

} // namespace coilrun::server
