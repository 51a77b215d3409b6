#include "server/http_front_end.h"

#include "server/request_log.h"

#include <QElapsedTimer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QTcpServer>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server {
namespace {

QByteArray methodName(QHttpServerRequest::Method method) {
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    case QHttpServerRequest::Method::Post:
        return "POST";
    case QHttpServerRequest::Method::Put:
        return "PUT";
    case QHttpServerRequest::Method::Delete:
        return "DELETE";
    case QHttpServerRequest::Method::Options:
        return "OPTIONS";
    case QHttpServerRequest::Method::Patch:
        return "PATCH";
    case QHttpServerRequest::Method::Connect:
        return "CONNECT";
    case QHttpServerRequest::Method::Trace:
        return "TRACE";
    default:
        return "UNKNOWN";
    }
}

Request toSiteRequest(const QHttpServerRequest& request) {
    Request r;
    r.method = methodName(request.method());
    const QUrl url = request.url();
    r.path = url.path(QUrl::FullyDecoded);
    r.rawQuery = url.query(QUrl::FullyEncoded).toLatin1();
    r.cookie = request.value("Cookie");
    r.client = request.remoteAddress().toString();
    r.body = request.body();
    return r;
}

// Headers every page carries: no caching (the lists change with every report),
// and no scripts, frames or outside resources of any kind.
const QList<QPair<QByteArray, QByteArray>> kCommonHeaders = {
    {"Cache-Control", "no-store"},
    {"X-Content-Type-Options", "nosniff"},
    {"Referrer-Policy", "no-referrer"},
    {"Content-Security-Policy",
     "default-src 'none'; style-src 'unsafe-inline'; base-uri 'none'; form-action 'none'"},
};

void answer(Site& site, const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    QElapsedTimer timer;
    timer.start();
    const Request siteRequest = toSiteRequest(request);
    const Response response = site.handle(siteRequest);

    const QByteArray body = siteRequest.method == "HEAD" ? QByteArray() : response.body;
    QHttpServerResponse reply(response.contentType, body,
                              static_cast<QHttpServerResponder::StatusCode>(response.status));
    for (const auto& h : kCommonHeaders)
        reply.addHeader(h.first, h.second);
    for (const auto& h : response.headers)
        reply.addHeader(h.first, h.second);
    reply.write(std::move(responder));

    const QByteArray line = requestLogLine(QDateTime::currentDateTimeUtc(), siteRequest.method,
                                           siteRequest.path.toUtf8(), response.status,
                                           double(timer.nsecsElapsed()) / 1e6);
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

} // namespace

HttpFrontEnd::HttpFrontEnd(Site& site) : site_(site) {
    // No routes: the site does its own dispatch, so that a path it does not know
    // gets its page (with the way back to the game) and its log line too.
    server_.setMissingHandler(
        [this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
            answer(site_, request, std::move(responder));
        });
}

quint16 HttpFrontEnd::listen(const QHostAddress& address, quint16 port) {
    // Our own listening socket, for a deeper backlog than Qt's 50: a burst of
    // players (or a load test) then waits in the queue instead of retrying.
    auto* tcp = new QTcpServer(&server_);
    tcp->setListenBacklogSize(1024);
    if (!tcp->listen(address, port)) {
        delete tcp;
        return 0;
    }
    server_.bind(tcp);
    return tcp->serverPort();
}

} // namespace coilrun::server
