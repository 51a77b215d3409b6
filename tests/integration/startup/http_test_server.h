#pragma once
#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <atomic>

namespace coilrun::testing {

// A loopback HTTP server for one test: answers every request with one page,
// or accepts connections and never answers.
class HttpTestServer : public QTcpServer {
public:
    enum class Mode { Page, Silent };

    explicit HttpTestServer(Mode mode, QByteArray body = {},
                            QByteArray contentType = "text/html; charset=utf-8")
        : mode_(mode), body_(std::move(body)), contentType_(std::move(contentType)) {
        listen(QHostAddress::LocalHost, 0);
    }

    QString url() const { return QString("http://127.0.0.1:%1").arg(serverPort()); }
    int requests() const { return requests_; }
    // The request target (path and query) of every request so far, in order.
    const QList<QByteArray>& targets() const { return targets_; }

    static QByteArray pageWithTitle(const QByteArray& title) {
        return "<!DOCTYPE html><html><head><title>" + title +
               "</title></head><body>scores</body></html>";
    }

protected:
    void incomingConnection(qintptr handle) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            buffer_ += socket->readAll();
            if (!buffer_.contains("\r\n\r\n")) return;
            const QList<QByteArray> requestLine = buffer_.left(buffer_.indexOf("\r\n")).split(' ');
            targets_.push_back(requestLine.size() > 1 ? requestLine[1] : QByteArray());
            buffer_.clear();
            ++requests_;
            if (mode_ == Mode::Silent) return; // keep the connection open, say nothing
            QByteArray reply = "HTTP/1.1 200 OK\r\nContent-Type: " + contentType_ +
                               "\r\nContent-Length: " + QByteArray::number(body_.size()) +
                               "\r\nConnection: close\r\n\r\n" + body_;
            socket->write(reply);
            socket->disconnectFromHost();
        });
    }

private:
    Mode mode_;
    QByteArray body_;
    QByteArray contentType_;
    QByteArray buffer_;
    int requests_ = 0;
    QList<QByteArray> targets_;
};

} // namespace coilrun::testing
