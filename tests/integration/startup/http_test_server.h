#pragma once
#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

namespace coilrun::testing {

// A loopback HTTP server for one test: answers every request with one page, or with
// the page a function gives for the request's target, or accepts connections and
// never answers.
class HttpTestServer : public QTcpServer {
public:
    enum class Mode { Page, Silent };

    // An answer: a page sent whole; its headers and a first part only, with the
    // connection kept open, so that the page never finishes loading; or nothing at all.
    struct Reply {
        enum class Send { Whole, Part, Nothing };
        QByteArray body;
        Send send = Send::Whole;
    };
    using Responder = std::function<Reply(const QByteArray& target)>;

    explicit HttpTestServer(Mode mode, QByteArray body = {},
                            QByteArray contentType = "text/html; charset=utf-8")
        : contentType_(std::move(contentType)) {
        responder_ = [mode, body = std::move(body)](const QByteArray&) {
            return Reply{body, mode == Mode::Silent ? Reply::Send::Nothing : Reply::Send::Whole};
        };
        listen(QHostAddress::LocalHost, 0);
    }
    explicit HttpTestServer(Responder responder)
        : responder_(std::move(responder)), contentType_("text/html; charset=utf-8") {
        listen(QHostAddress::LocalHost, 0);
    }

    QString url() const { return QString("http://127.0.0.1:%1").arg(serverPort()); }
    int requests() const { return requests_; }
    // The request target (path and query) of every request so far, in order.
    const QList<QByteArray>& targets() const { return targets_; }

    static QByteArray pageWithTitle(const QByteArray& title, const QByteArray& body = "scores") {
        return "<!DOCTYPE html><html><head><title>" + title + "</title></head><body>" + body +
               "</body></html>";
    }

protected:
    void incomingConnection(qintptr handle) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray buffer = socket->property("request").toByteArray() + socket->readAll();
            socket->setProperty("request", buffer);
            if (!buffer.contains("\r\n\r\n")) return;
            socket->setProperty("request", QByteArray());
            const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
            const QByteArray target = requestLine.size() > 1 ? requestLine[1] : QByteArray();
            targets_.push_back(target);
            ++requests_;
            const Reply page = responder_(target);
            if (page.send == Reply::Send::Nothing) return; // the connection stays open
            // An unfinished page promises more than it sends.
            const bool whole = page.send == Reply::Send::Whole;
            const qsizetype length = page.body.size() + (whole ? 0 : 1000);
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + contentType_ +
                          "\r\nContent-Length: " + QByteArray::number(length) +
                          "\r\nConnection: close\r\n\r\n" + page.body);
            if (whole) socket->disconnectFromHost();
        });
    }

private:
    Responder responder_;
    QByteArray contentType_;
    int requests_ = 0;
    QList<QByteArray> targets_;
};

} // namespace coilrun::testing
